// The fonts the panes draw their captions and boxes with.
#pragma once

#include "dpi_scale.h"
#include "handles.h"

#include <windows.h>

namespace nq {

// A regular font of the given pixel height at 96 DPI (negative: character
// height), as high as that on a window of dpi.
inline UniqueGdiObject CreateUiFont(int pixelHeight, int dpi,
                                    const char* face = "Lucida Sans Unicode") {
    return UniqueGdiObject(CreateFontA(Scaled(pixelHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, face));
}

inline HFONT AsFont(const UniqueGdiObject& font) {
    return static_cast<HFONT>(font.get());
}

} // namespace nq
