// TfrmMiddle: its share of the skin, the activation of the application, and
// the panels painted from the skin.
#include "frm_middle.h"

#include "skin_file.h"
#include "text.h"

std::string TfrmMiddle::SkinPath() const {
    return nq::SkinPath(programFolder_, skinDir_);
}

void TfrmMiddle::LoadSkin() {
    skinValues_ = nq::LoadSkinValues(SkinPath());
    scaledSkin_ = nq::frame::ScaledSkinValues(skinValues_, dpi_);
    // The window's own colour shows where no panel covers it; the textures
    // are read afresh and the backgrounds built again at the next paints.
    const COLORREF colour = static_cast<COLORREF>(skinValues_.Bg.Color);
    skin_.Load(SkinPath(), colour, skinValues_.Colours, dpi_);
    collections_.ApplySkinColours();
    fonts_.ApplySkinColours();
    preview_.ApplySkinColours();
    windowBrush_.reset(CreateSolidBrush(colour));
    nq::SetWindowTextUtf8(Handle(), skinValues_.Caption.Text);
    // The title bar holds its button images from one skin load to the next.
    frmTop_.LoadButtonImages();
    // The lists and the preview take the skin's colours too.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    RefreshBars();
}

void TfrmMiddle::ApplicationEvents1Activate() {
    ApplyActivation(true);
}

void TfrmMiddle::ApplicationEvents1Deactivate() {
    ApplyActivation(false);
}

void TfrmMiddle::ToolbarMouseDown(POINT screen) {
    frmTop_.SetDragAnchor(screen);
}

std::optional<int> TfrmMiddle::FilteredTotal() const {
    if (!fontList_ || !search_.Active())
        return std::nullopt;
    return static_cast<int>(fontList_->size());
}

void TfrmMiddle::RefreshBars() const {
    collections_.InvalidateBar();
    fonts_.InvalidateBar();
    search_.InvalidateBar();
    preview_.InvalidateDetails();
    // The splitters show the pane background at their place: a layout that
    // moves them or stretches the background anew changes them too.
    for (HWND splitter : {collections_.Splitter(), fonts_.Splitter(), preview_.Splitter()})
        InvalidateRect(splitter, nullptr, FALSE);
}

void TfrmMiddle::HookPanels(bool hooked) {
    panelsHooked_ = hooked;
    if (!hooked) {
        toolbar_.SetPaintHandler(nullptr);
        bgPanel_.SetPaintHandler(nullptr);
        preview_.SetFramePaintHandler(nullptr);
        skin_.SetPaneArea(nullptr);
        return;
    }
    skin_.SetPaneArea(bgPanel_.Handle());
    toolbar_.SetPaintHandler(
        [this](HDC dc, const RECT&) { skin_.PaintToolbar(toolbar_.Handle(), dc); });
    bgPanel_.SetPaintHandler(
        [this](HDC dc, const RECT& update) { skin_.PaintPaneArea(dc, update); });
    preview_.SetFramePaintHandler([this](HDC dc, const RECT& update) {
        skin_.PaintPreviewFrame(preview_.Frame(), dc, update);
    });
    // What copies from the pane background can show it from now on.
    RefreshBars();
    for (HWND panel : {toolbar_.Handle(), bgPanel_.Handle(), preview_.Frame()})
        RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}
