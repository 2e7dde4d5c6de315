// The skin's background images: the textures read from the skin folder, the
// stretched backgrounds of the toolbar and of the pane area built from them,
// and the alpha hit test of the image buttons drawn over them.
#pragma once

#include "dpi_scale.h"
#include "gdiplus_raii.h"

#include <windows.h>

#include <string>

namespace nq {

// The image file at path (ANSI), decoded by GDI+; empty when the file is
// missing or unreadable. Nothing is shown to the user either way.
GdipBitmapPtr LoadSkinImage(const std::string& path);

// A skin image for a window of one DPI: the file read, and the scale it was
// made for (1 for "name.png", 2 for "name@2x.png"). Every skin image is a
// picture at 96 DPI; on screen it takes its size scaled to the window's DPI.
struct SkinImage {
    GdipBitmapPtr Bitmap;
    int Factor = 1;

    Gdiplus::GpBitmap* get() const { return Bitmap.get(); }
    explicit operator bool() const { return Bitmap != nullptr; }
    // Its size in pixels of the file; {0, 0} when it is missing.
    SIZE Pixels() const;
    // Its size on a window of dpi (nq::ImageExtent of both sides).
    SIZE Shown(int dpi) const;
    // Whether it is drawn at another size than its pixels' on a window of dpi
    // (stretched by the DPI, not only by the place it fills).
    bool Resampled(int dpi) const { return dpi != kBaseDpi * Factor; }
    // The scale from its pixels to the screen's on a window of dpi.
    float ScaleAt(int dpi) const { return static_cast<float>(dpi) / (kBaseDpi * Factor); }
};

// The skin image `name` of folder (ending in a backslash) for a window of
// dpi: from 150 % on its double-size form "stem@2x.ext" where the skin has
// it, else the file itself (then drawn scaled up). A double-size form that is
// not exactly twice as wide and as high as the file is passed over; with the
// file missing, the double-size form alone is used.
SkinImage LoadSkinImageFor(const std::string& folder, const std::string& name, int dpi);

// Draws image into the rectangle. An image drawn at another scale than its
// own (Resampled at dpi) is filtered with the best quality GDI+ has, its
// edges taken from its own pixels (not faded into transparent); otherwise it
// is drawn as GDI+ draws by default, so that at 96 DPI every pixel is what an
// image of that size always gave.
void DrawSkinImage(Gdiplus::GpGraphics* graphics, const SkinImage& image, int dpi, float left,
                   float top, float width, float height);
// The same at the image's own size on screen.
void DrawSkinImage(Gdiplus::GpGraphics* graphics, const SkinImage& image, int dpi, float left,
                   float top);

// Whether (x, y), relative to the image's top-left corner on a window of dpi,
// lies on an opaque pixel of the image as it is shown there: the point is
// taken back to the image's own pixels. No image is never hit.
bool SkinImageHit(const SkinImage& image, int dpi, int x, int y);

// Lets graphics filter what it draws until the end of the scope with the
// best quality when on is set (images drawn at the DPI's scale); does
// nothing otherwise.
class ResamplingScope {
  public:
    ResamplingScope(Gdiplus::GpGraphics* graphics, bool on);
    ResamplingScope(const ResamplingScope&) = delete;
    ResamplingScope& operator=(const ResamplingScope&) = delete;
    ~ResamplingScope();

  private:
    Gdiplus::GpGraphics* graphics_ = nullptr;
    Gdiplus::InterpolationMode previous_ = Gdiplus::InterpolationModeDefault;
};

// A brush of the opaque colour; empty when GDI+ cannot make one.
GdipBrushPtr SolidBrush(COLORREF colour);

// The image's size in pixels; {0, 0} for no image.
SIZE ImageSize(Gdiplus::GpImage* image);

// Whether (x, y), relative to the image's top-left corner, lies on an opaque
// pixel of it (AlphaHit); no image is never hit.
bool ImageHit(Gdiplus::GpBitmap* image, int x, int y);

// One panel's background: the skin texture stretched horizontally to exactly
// the panel's width and repeated downwards at its own height, held from one
// paint to the next. Each panel that paints from the skin (the toolbar, the
// pane area) holds one.
class StretchedBackground {
  public:
    // The width x height 32-bit ARGB background, built when there is none or
    // the one held has another size, and otherwise the one held, whatever
    // texture is passed: a new texture shows only after Discard. Built from a
    // texture of tw x th pixels, pixel (x, y) is a texel unblended: row
    // y mod th, column floor(x * tw / width), or the next column where that
    // column's stretched edge falls inside the pixel. With a rowScale other
    // than 1 (the DPI's scale of the texture) the rows repeat every
    // th * rowScale pixels, each pixel the texel nearest to it. A texture that is
    // missing or has no pixels gives a background of the opaque fallback
    // colour (the skin's "bg" colour). Null when width or height is
    // not positive (the one held is let go) or the image could not be made.
    // The image belongs to this object and lives until the next Ensure of
    // another size, Discard, or the object's end.
    Gdiplus::GpBitmap* Ensure(int width, int height, Gdiplus::GpImage* texture, COLORREF fallback,
                              float rowScale = 1.0f);
    // The background held; null when there is none. Readers that find none
    // paint nothing.
    Gdiplus::GpBitmap* Get() const { return image_.get(); }
    // Lets the background go (a new skin): the next Ensure builds afresh.
    void Discard() { image_.reset(); }

  private:
    GdipBitmapPtr image_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace nq
