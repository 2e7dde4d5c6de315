#include "client_skin.h"

#include "child.h"
#include "offscreen.h"

namespace nq {

namespace {

using namespace Gdiplus::DllExports;

constexpr const char* kTexture = "bg.bmp";
constexpr const char* kGrip = "dot.png";
constexpr const char* kTrash = "trash.png";

// The grip image centred on a splitter (fractional positions are kept).
void DrawGrip(Gdiplus::GpGraphics* graphics, Gdiplus::GpBitmap* grip, HWND splitter, HWND origin) {
    const SIZE image = ImageSize(grip);
    if (!grip || !splitter || image.cx == 0)
        return;
    const POINT at = OffsetIn(splitter, origin);
    const SIZE bar = ClientSize(splitter);
    const float x = at.x + bar.cx / 2.0f - image.cx / 2.0f;
    const float y = at.y + bar.cy / 2.0f - image.cy / 2.0f;
    GdipDrawImageRect(graphics, grip, x, y, static_cast<float>(image.cx),
                      static_cast<float>(image.cy));
}

void CopyRect(Gdiplus::GpGraphics* graphics, Gdiplus::GpBitmap* from, int toX, int toY, int fromX,
              int fromY, int width, int height) {
    GdipDrawImagePointRectI(graphics, from, toX, toY, fromX, fromY, width, height,
                            Gdiplus::UnitPixel);
}

// The background's first drawing into a panel's off-screen image, whose pixels
// are all transparent still: blending over them gives the source's pixels
// exactly, which a plain copy gives at less cost.
template <typename Draw> void IntoClearedImage(Gdiplus::GpGraphics* graphics, Draw draw) {
    GdipSetCompositingMode(graphics, Gdiplus::CompositingModeSourceCopy);
    draw();
    GdipSetCompositingMode(graphics, Gdiplus::CompositingModeSourceOver);
}

} // namespace

void ClientSkin::Load(const std::string& skinPath, COLORREF colour) {
    path_ = skinPath;
    colour_ = colour;
    images_.clear();
    toolbarBackground_.Discard();
    toolbarTexture_ = LoadSkinImage(path_ + kTexture);
    paneBackground_.Discard();
    paneTexture_ = LoadSkinImage(path_ + kTexture);
}

Gdiplus::GpBitmap* ClientSkin::Image(const char* file) const {
    const auto found = images_.find(file);
    if (found != images_.end())
        return found->second.get();
    return images_.emplace(file, LoadSkinImage(path_ + file)).first->second.get();
}

void ClientSkin::DrawPaneBackgroundUnder(Gdiplus::GpGraphics* graphics, HWND window, HWND origin,
                                         int width, int height) const {
    if (Gdiplus::GpBitmap* background = PaneBackground()) {
        const POINT at = OffsetIn(window, origin);
        CopyRect(graphics, background, 0, 0, at.x, at.y, width, height);
    }
}

void ClientSkin::PaintToolbar(HWND toolbar, HDC dc) {
    const SIZE size = ClientSize(toolbar);
    Gdiplus::GpBitmap* background =
        toolbarBackground_.Ensure(size.cx, size.cy, toolbarTexture_.get(), colour_);
    Gdiplus::GpBitmap* trash = Image(kTrash);
    ComposeOffscreen(dc, size.cx, size.cy, [&](Gdiplus::GpGraphics* graphics) {
        if (background)
            IntoClearedImage(graphics, [&] { GdipDrawImageI(graphics, background, 0, 0); });
        const SIZE t = ImageSize(trash);
        if (trash)
            GdipDrawImageRectI(graphics, trash, 0, 0, t.cx, t.cy);
    });
}

void ClientSkin::PaintPaneArea(HWND paneArea, HDC dc, const RECT& update,
                               std::initializer_list<HWND> splitters) {
    const SIZE size = ClientSize(paneArea);
    Gdiplus::GpBitmap* background =
        paneBackground_.Ensure(size.cx, size.cy, paneTexture_.get(), colour_);
    Gdiplus::GpBitmap* grip = Image(kGrip);
    ComposeOffscreen(dc, size.cx, size.cy, [&](Gdiplus::GpGraphics* graphics) {
        if (background)
            IntoClearedImage(graphics, [&] {
                CopyRect(graphics, background, update.left, update.top, update.left, update.top,
                         update.right - update.left, update.bottom - update.top);
            });
        for (HWND splitter : splitters)
            DrawGrip(graphics, grip, splitter, paneArea);
    });
}

void ClientSkin::PaintPreviewFrame(HWND previewFrame, HWND paneArea, HDC dc, const RECT& update,
                                   HWND splitter) {
    Gdiplus::GpBitmap* background = PaneBackground();
    if (!background)
        return; // the pane area paints first and makes it
    const SIZE size = ClientSize(previewFrame);
    const POINT at = OffsetIn(previewFrame, paneArea);
    Gdiplus::GpBitmap* grip = Image(kGrip);
    ComposeOffscreen(dc, size.cx, size.cy, [&](Gdiplus::GpGraphics* graphics) {
        IntoClearedImage(graphics, [&] {
            CopyRect(graphics, background, update.left, update.top, update.left + at.x,
                     update.top + at.y, update.right - update.left, update.bottom - update.top);
        });
        DrawGrip(graphics, grip, splitter, previewFrame);
    });
}

} // namespace nq
