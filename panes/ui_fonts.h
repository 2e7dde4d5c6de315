// The fonts the panes draw their captions and boxes with.
#pragma once

#include "handles.h"

#include <windows.h>

namespace nq {

// A regular font of the given pixel height (negative: character height).
inline UniqueGdiObject CreateUiFont(int pixelHeight, const char* face = "Lucida Sans Unicode") {
    return UniqueGdiObject(CreateFontA(pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

inline HFONT AsFont(const UniqueGdiObject& font) {
    return static_cast<HFONT>(font.get());
}

} // namespace nq
