// The bitmap font (".fon") part of the program's font reader.
#pragma once

#include "font_file.h"
#include "sfnt_core.h"

namespace nq::fontfile {

// Reads an NE executable's font resources: the MZ header and its e_lfanew, the
// NE header, its resource table, then each RT_FONT resource's header with the
// face name at its dfFace offset; the font directory (RT_FONTDIR) stands in when
// no font resource can be read. Nothing when the image is no NE executable, a
// header or the resource table does not lie inside it, or no face name is found.
std::optional<FontFileInfo> ReadBitmapFont(const glyphscan::Image& image);

} // namespace nq::fontfile
