#include "name_reader.h"

namespace glyphscan {
int ReadNames(const unsigned char*, std::size_t, char*, Utf16ToAnsi) { return 0; }
} // namespace glyphscan
