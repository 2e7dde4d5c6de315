#include "offscreen.h"

#include "dc.h"
#include "dib.h"

namespace nq {

GdipGraphicsPtr GraphicsOn(HDC dc) {
    Gdiplus::GpGraphics* graphics = nullptr;
    if (Gdiplus::DllExports::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok)
        return {};
    Gdiplus::DllExports::GdipSetPageUnit(graphics, Gdiplus::UnitPixel);
    return GdipGraphicsPtr(graphics);
}

void ComposeOffscreen(HDC target, int width, int height,
                      const std::function<void(Gdiplus::GpGraphics*)>& draw) {
    if (width <= 0 || height <= 0)
        return;
    // Three pixels more each way, so that images drawn at fractional
    // positions near the edge are not clipped early.
    const ArgbDib dib(width + 3, height + 3);
    const MemoryDC dc(target);
    if (!dib || !dc)
        return;
    const SelectGuard selected(dc.get(), dib.Bitmap());
    {
        const GdipGraphicsPtr graphics = GraphicsOn(dc.get());
        if (!graphics)
            return;
        draw(graphics.get());
    }
    BitBlt(target, 0, 0, width, height, dc.get(), 0, 0, SRCCOPY);
}

} // namespace nq
