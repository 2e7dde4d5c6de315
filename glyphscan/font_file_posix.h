// The native counterpart of the program's font file entry: maps a file with
// POSIX calls and reads it. For native tests and benchmarks.
#pragma once

#include "font_file.h"

namespace nq::fontfile {

// ReadFontImage over the whole file; nothing when it cannot be opened and
// mapped (a missing path, a folder, an empty file) or is no font file.
std::optional<FontFileInfo> ReadFontFilePosix(const char* path);

} // namespace nq::fontfile
