// The skin's background images: the textures read from the skin folder, the
// stretched backgrounds of the toolbar and of the pane area built from them,
// and the alpha hit test of the image buttons drawn over them.
#pragma once

#include "gdiplus_raii.h"

#include <windows.h>

#include <string>

namespace nq {

// The image file at path (ANSI), decoded by GDI+; empty when the file is
// missing or unreadable. Nothing is shown to the user either way.
GdipBitmapPtr LoadSkinImage(const std::string& path);

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
    // column's stretched edge falls inside the pixel. A texture that is
    // missing or has no pixels gives a background of the opaque fallback
    // colour (the skin's "bg" colour). Null when width or height is
    // not positive (the one held is let go) or the image could not be made.
    // The image belongs to this object and lives until the next Ensure of
    // another size, Discard, or the object's end.
    Gdiplus::GpBitmap* Ensure(int width, int height, Gdiplus::GpImage* texture, COLORREF fallback);
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
