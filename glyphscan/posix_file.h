// The native counterpart of GetFontProps: maps a font file with POSIX calls and
// reads its names. For native tests, the fuzzer's neighbours and benchmarks.
#pragma once

#include "name_reader.h"

namespace glyphscan {

// UTF-16 to Latin-1: code points above U+00FF become '?'. Stands in for the
// ANSI code page where there is none.
std::size_t Utf16ToLatin1(const char16_t* units, std::size_t count, char* out, std::size_t out_cap);

// Same contract as GetFontProps: returns 1 and fills the four buffers (1024 bytes
// each) when a family name was found; on 0 the buffers are left as they were.
int GetFontPropsPosix(const char* path, char* full_name, char* copyright, char* trademark,
                      char* family);

} // namespace glyphscan
