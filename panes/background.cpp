#include "background.h"

#include "hit_test.h"
#include "text.h"

namespace nq {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// The texture tiled from the image's origin, each tile width pixels wide and
// as high as the texture; empty for a texture without pixels.
GdipBrushPtr StretchedTexture(GpImage* texture, int width, float rowScale) {
    const SIZE size = ImageSize(texture);
    if (size.cx <= 0 || size.cy <= 0)
        return {};
    GpTexture* brush = nullptr;
    if (GdipCreateTexture(texture, WrapModeTile, &brush) != Ok)
        return {};
    GdipBrushPtr owned(brush);
    const REAL stretch = static_cast<REAL>(static_cast<double>(width) / size.cx);
    if (GdipScaleTextureTransform(brush, stretch, rowScale, MatrixOrderPrepend) != Ok)
        return {};
    return owned;
}

GdipBitmapPtr Build(int width, int height, GpImage* texture, COLORREF fallback, float rowScale) {
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
    GdipBrushPtr brush = StretchedTexture(texture, width, rowScale);
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

SIZE SkinImage::Pixels() const {
    return ImageSize(Bitmap.get());
}

SIZE SkinImage::Shown(int dpi) const {
    const SIZE pixels = Pixels();
    return SIZE{ImageExtent(pixels.cx, Factor, dpi), ImageExtent(pixels.cy, Factor, dpi)};
}

SkinImage LoadSkinImageFor(const std::string& folder, const std::string& name, int dpi) {
    SkinImage single{LoadSkinImage(folder + name), 1};
    if (!UsesDoubleSizeImages(dpi))
        return single;
    GdipBitmapPtr twice = LoadSkinImage(folder + DoubleSizeImageName(name));
    if (!twice)
        return single;
    // A double-size image of another size than twice its image's would put
    // the skin's pieces at other places and sizes than at 100 %: the image
    // itself is drawn then, scaled.
    const SIZE one = single.Pixels(), two = ImageSize(twice.get());
    if (single && (two.cx != 2 * one.cx || two.cy != 2 * one.cy))
        return single;
    return SkinImage{std::move(twice), 2};
}

ResamplingScope::ResamplingScope(GpGraphics* graphics, bool on) {
    if (!on || !graphics || GdipGetInterpolationMode(graphics, &previous_) != Ok)
        return;
    graphics_ = graphics;
    GdipSetInterpolationMode(graphics, InterpolationModeHighQualityBicubic);
}

ResamplingScope::~ResamplingScope() {
    if (graphics_)
        GdipSetInterpolationMode(graphics_, previous_);
}

void DrawSkinImage(GpGraphics* graphics, const SkinImage& image, int dpi, float left, float top,
                   float width, float height) {
    if (!image)
        return;
    if (!image.Resampled(dpi)) {
        GdipDrawImageRect(graphics, image.get(), left, top, width, height);
        return;
    }
    // A filter reaches past the image's edge: mirrored pixels there keep its
    // border pixels as they are instead of fading them.
    GpImageAttributes* attributes = nullptr;
    if (GdipCreateImageAttributes(&attributes) == Ok)
        GdipSetImageAttributesWrapMode(attributes, WrapModeTileFlipXY, 0, FALSE);
    const ResamplingScope resampling(graphics, true);
    const SIZE pixels = image.Pixels();
    GdipDrawImageRectRect(graphics, image.get(), left, top, width, height, 0, 0,
                          static_cast<REAL>(pixels.cx), static_cast<REAL>(pixels.cy), UnitPixel,
                          attributes, nullptr, nullptr);
    if (attributes)
        GdipDisposeImageAttributes(attributes);
}

void DrawSkinImage(GpGraphics* graphics, const SkinImage& image, int dpi, float left, float top) {
    const SIZE shown = image.Shown(dpi);
    DrawSkinImage(graphics, image, dpi, left, top, static_cast<float>(shown.cx),
                  static_cast<float>(shown.cy));
}

bool SkinImageHit(const SkinImage& image, int dpi, int x, int y) {
    const SIZE pixels = image.Pixels(), shown = image.Shown(dpi);
    const int px = ImagePixelAt(x, pixels.cx, shown.cx), py = ImagePixelAt(y, pixels.cy, shown.cy);
    return px >= 0 && py >= 0 && ImageHit(image.get(), px, py);
}

GpBitmap* StretchedBackground::Ensure(int width, int height, GpImage* texture, COLORREF fallback,
                                      float rowScale) {
    if (width <= 0 || height <= 0) {
        Discard();
        return nullptr;
    }
    if (!image_ || width != width_ || height != height_) {
        image_ = Build(width, height, texture, fallback, rowScale);
        width_ = width;
        height_ = height;
    }
    return image_.get();
}

} // namespace nq
