#include "client_skin.h"

#include "child.h"
#include "offscreen.h"

namespace nq {

namespace {

using namespace Gdiplus::DllExports;

constexpr const char* kTexture = "bg.bmp";
constexpr const char* kGrip = "dot.png";
constexpr const char* kTrash = "trash.png";

// The grip image centred on an area of the given size at (0, 0) (fractional
// positions are kept).
void DrawGripCentred(Gdiplus::GpGraphics* graphics, const SkinImage& grip, int dpi, SIZE area) {
    const SIZE image = grip.Shown(dpi);
    if (!grip || image.cx == 0)
        return;
    const float x = area.cx / 2.0f - image.cx / 2.0f;
    const float y = area.cy / 2.0f - image.cy / 2.0f;
    DrawSkinImage(graphics, grip, dpi, x, y);
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

void ClientSkin::Load(const std::string& skinPath, COLORREF colour, const ColourValues& colours,
                      int dpi) {
    path_ = skinPath;
    colour_ = colour;
    colours_ = colours;
    dpi_ = dpi;
    listBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(colours.ListBack)));
    previewBrush_.reset(CreateSolidBrush(PreviewBack()));
    images_.clear();
    toolbarBackground_.Discard();
    toolbarTexture_ = LoadSkinImageFor(path_, kTexture, dpi_);
    paneBackground_.Discard();
    paneTexture_ = LoadSkinImageFor(path_, kTexture, dpi_);
}

COLORREF ClientSkin::PreviewLabel() const {
    // Halfway, rounded up: grey 128 between white and black.
    const COLORREF back = PreviewBack(), text = PreviewText();
    const auto half = [](int a, int b) { return static_cast<BYTE>((a + b + 1) / 2); };
    return RGB(half(GetRValue(back), GetRValue(text)), half(GetGValue(back), GetGValue(text)),
               half(GetBValue(back), GetBValue(text)));
}

ClientSkin::EdgedText ClientSkin::CountColours() const {
    return {static_cast<COLORREF>(colours_.CountText), static_cast<COLORREF>(colours_.CountEdge)};
}

ClientSkin::EdgedText ClientSkin::DetailsColours() const {
    return {static_cast<COLORREF>(colours_.DetailsText),
            static_cast<COLORREF>(colours_.DetailsEdge)};
}

const SkinImage& ClientSkin::Image(const char* file) const {
    const auto found = images_.find(file);
    if (found != images_.end())
        return found->second;
    return images_.emplace(file, LoadSkinImageFor(path_, file, dpi_)).first->second;
}

void ClientSkin::SetPaneArea(HWND paneArea) {
    paneArea_ = paneArea;
    paneBackground_.Discard();
}

Gdiplus::GpBitmap* ClientSkin::PaneBackground() const {
    if (!paneArea_)
        return nullptr;
    const SIZE size = ClientSize(paneArea_);
    return paneBackground_.Ensure(size.cx, size.cy, paneTexture_.get(), colour_,
                                  paneTexture_.ScaleAt(dpi_));
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
    Gdiplus::GpBitmap* background = toolbarBackground_.Ensure(
        size.cx, size.cy, toolbarTexture_.get(), colour_, toolbarTexture_.ScaleAt(dpi_));
    const SkinImage& trash = Image(kTrash);
    ComposeOffscreen(dc, size.cx, size.cy, [&](Gdiplus::GpGraphics* graphics) {
        if (background)
            IntoClearedImage(graphics, [&] { GdipDrawImageI(graphics, background, 0, 0); });
        DrawSkinImage(graphics, trash, dpi_, 0, 0);
    });
}

void ClientSkin::PaintPaneArea(HDC dc, const RECT& update) const {
    Gdiplus::GpBitmap* background = PaneBackground();
    if (!background)
        return;
    const SIZE size = ClientSize(paneArea_);
    // The grips belong to the splitters, which are windows of their own and
    // paint them; the panes cover the rest of the pane area.
    ComposeOffscreen(dc, size.cx, size.cy, [&](Gdiplus::GpGraphics* graphics) {
        IntoClearedImage(graphics, [&] {
            CopyRect(graphics, background, update.left, update.top, update.left, update.top,
                     update.right - update.left, update.bottom - update.top);
        });
    });
}

void ClientSkin::PaintPreviewFrame(HWND previewFrame, HDC dc, const RECT& update) const {
    Gdiplus::GpBitmap* background = PaneBackground();
    if (!background)
        return;
    const SIZE size = ClientSize(previewFrame);
    const POINT at = OffsetIn(previewFrame, paneArea_);
    ComposeOffscreen(dc, size.cx, size.cy, [&](Gdiplus::GpGraphics* graphics) {
        IntoClearedImage(graphics, [&] {
            CopyRect(graphics, background, update.left, update.top, update.left + at.x,
                     update.top + at.y, update.right - update.left, update.bottom - update.top);
        });
    });
}

void ClientSkin::PaintSplitter(HWND splitter, HDC dc) const {
    const SIZE size = ClientSize(splitter);
    Gdiplus::GpBitmap* background = PaneBackground();
    const SkinImage& grip = Image(kGrip);
    ComposeOffscreen(dc, size.cx, size.cy, [&](Gdiplus::GpGraphics* graphics) {
        IntoClearedImage(graphics, [&] {
            if (background) {
                const POINT at = OffsetIn(splitter, paneArea_);
                CopyRect(graphics, background, 0, 0, at.x, at.y, size.cx, size.cy);
            } else if (const GdipBrushPtr brush = SolidBrush(colour_)) {
                GdipFillRectangleI(graphics, brush.get(), 0, 0, size.cx, size.cy);
            }
        });
        DrawGripCentred(graphics, grip, dpi_, size);
    });
}

} // namespace nq
