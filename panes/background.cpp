#include "background.h"

#include "hit_test.h"
#include "text.h"

namespace nq {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// The texture tiled from the image's origin, each tile width pixels wide and
// as high as the texture; empty for a texture without pixels.
GdipBrushPtr StretchedTexture(GpImage* texture, int width) {
    const SIZE size = ImageSize(texture);
    if (size.cx <= 0 || size.cy <= 0)
        return {};
    GpTexture* brush = nullptr;
    if (GdipCreateTexture(texture, WrapModeTile, &brush) != Ok)
        return {};
    GdipBrushPtr owned(brush);
    const REAL stretch = static_cast<REAL>(static_cast<double>(width) / size.cx);
    if (GdipScaleTextureTransform(brush, stretch, 1.0f, MatrixOrderPrepend) != Ok)
        return {};
    return owned;
}

GdipBitmapPtr Build(int width, int height, GpImage* texture, COLORREF fallback) {
    GpBitmap* image = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &image) != Ok)
        return {};
    GdipBitmapPtr owned(image);
    GpGraphics* graphics = nullptr;
    if (GdipGetImageGraphicsContext(image, &graphics) != Ok)
        return {};
    const GdipGraphicsPtr ownedGraphics(graphics);
    // Each pixel takes one texel, unblended. Smoothing would reach across the
    // tile's edge and blend the texture's last column into its first one at
    // the panel's right edge; the half-pixel offset keeps the texture's first
    // row on the panel's top row (Wine's default shifts it down by one).
    GdipSetInterpolationMode(graphics, InterpolationModeNearestNeighbor);
    GdipSetPixelOffsetMode(graphics, PixelOffsetModeHalf);
    GdipBrushPtr brush = StretchedTexture(texture, width);
    if (!brush)
        brush = SolidBrush(fallback);
    if (!brush || GdipFillRectangleI(graphics, brush.get(), 0, 0, width, height) != Ok)
        return {};
    return owned;
}

} // namespace

GdipBrushPtr SolidBrush(COLORREF colour) {
    const ARGB argb = 0xFF000000u | (ARGB{GetRValue(colour)} << 16) |
                      (ARGB{GetGValue(colour)} << 8) | ARGB{GetBValue(colour)};
    GpSolidFill* brush = nullptr;
    return GdipCreateSolidFill(argb, &brush) == Ok ? GdipBrushPtr(brush) : GdipBrushPtr();
}

GdipBitmapPtr LoadSkinImage(const std::string& path) {
    const std::wstring widePath = WideFromUtf8(path);
    GpBitmap* image = nullptr;
    if (GdipCreateBitmapFromFile(widePath.c_str(), &image) != Ok)
        return {};
    return GdipBitmapPtr(image);
}

SIZE ImageSize(GpImage* image) {
    UINT width = 0, height = 0;
    if (!image || GdipGetImageWidth(image, &width) != Ok ||
        GdipGetImageHeight(image, &height) != Ok)
        return SIZE{0, 0};
    return SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
}

bool ImageHit(GpBitmap* image, int x, int y) {
    const SIZE size = ImageSize(image);
    return AlphaHit(x, y, size.cx, size.cy, [image](int px, int py) -> std::uint32_t {
        ARGB pixel = 0;
        return GdipBitmapGetPixel(image, px, py, &pixel) == Ok ? pixel : 0;
    });
}

GpBitmap* StretchedBackground::Ensure(int width, int height, GpImage* texture, COLORREF fallback) {
    if (width <= 0 || height <= 0) {
        Discard();
        return nullptr;
    }
    if (!image_ || width != width_ || height != height_) {
        image_ = Build(width, height, texture, fallback);
        width_ = width;
        height_ = height;
    }
    return image_.get();
}

} // namespace nq
