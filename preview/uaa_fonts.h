// MakeFontAntialiased: the same font again, asking for anti-aliased glyphs.
#pragma once

#include "handles.h"

#include <windows.h>

namespace nq {

// A new font like font (its height, face name cut to 31 characters, bold,
// italic and underline) with anti-aliased quality; strike-out is not carried
// over and the weight is 700 for a bold font, else the default. Empty when
// font is no font or the new one could not be made.
UniqueGdiObject MakeFontAntialiased(HFONT font);

} // namespace nq
