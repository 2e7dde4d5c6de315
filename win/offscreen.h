// Off-screen composition with GDI+: a 32-bit bitmap the size of the area, a
// GDI+ surface on it, and one copy to the screen when the drawing is done.
#pragma once

#include "gdiplus_raii.h"

#include <windows.h>

#include <functional>

namespace nq {

// Creates a GDI+ surface on dc (pixel units); empty when GDI+ cannot.
GdipGraphicsPtr GraphicsOn(HDC dc);

// Lets draw compose a width x height area (plus a small margin) into a 32-bit
// DIB through a GDI+ surface, then copies the area to target at (0, 0) in one
// BitBlt. Nothing happens for an empty area.
void ComposeOffscreen(HDC target, int width, int height,
                      const std::function<void(Gdiplus::GpGraphics*)>& draw);

} // namespace nq
