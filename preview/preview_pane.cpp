#include "preview_pane.h"

#include "child.h"
#include "control_ids.h"
#include "dc.h"
#include "glyphscan.h"
#include "list_controls.h"
#include "place.h"
#include "text.h"
#include "ui_fonts.h"

#include <algorithm>
#include <cstring>

namespace nq {

namespace {

constexpr const char* kBuiltInSampleText =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklm\r\nnop\r\nqr\r\nstuvwxyz1234567890";
constexpr const char* kSizeChoices[] = {"8",  "10", "12", "14", "16", "20", "24", "32",
                                        "36", "42", "48", "56", "64", "72", "144"};

LRESULT BlackOrGreyOnWhite(HDC dc, COLORREF text) {
    SetTextColor(dc, text);
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

} // namespace

bool PreviewPane::Create(HWND paneArea, PaneHost& host) {
    host_ = &host;
    sizeBoxFont_ = CreateUiFont(-11);
    sizeLabelFont_ = CreateUiFont(-13);
    if (!previewPanel_.Create(paneArea, ctl::PreviewPanel, "previewPanel", PanelLook::Plain, this))
        return false;
    panel5_.Create(previewPanel_.Handle(), ctl::Panel5, "Panel5", PanelLook::WhiteSunken, this);
    panel6_.Create(panel5_.Handle(), ctl::Panel6, "Panel6", PanelLook::White, this);
    panel7_.Create(panel6_.Handle(), ctl::Panel7, "Panel7", PanelLook::White, this);
    Label5_ = CreateChild("STATIC", "Size:", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                          panel7_.Handle(), ctl::Label5, sizeLabelFont_.get());
    ComboBox1_ = CreateChild("COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 0,
                             panel7_.Handle(), ctl::ComboBox1, sizeBoxFont_.get());
    for (const char* size : kSizeChoices)
        ComboBox(ComboBox1_).Add(size);
    // Hidden until a font is selected; word wrap: no horizontal scrolling.
    lbPreview_ = CreateChild("EDIT", kBuiltInSampleText,
                             WS_TABSTOP | ES_MULTILINE | ES_CENTER | ES_AUTOVSCROLL | ES_WANTRETURN,
                             0, panel5_.Handle(), ctl::LbPreview);
    SendMessageA(lbPreview_, EM_SETLIMITTEXT, 0, 0); // as long as the sample text file is
    splitter3_.Create(previewPanel_.Handle(), ctl::Splitter3, "Splitter3", SplitterAxis::Horizontal,
                      host, &layout::PaneSizes::DetailsPane, &layout::DraggedDetailsPane,
                      PaneSplitter::PaneSide::After);
    paintBox1_.Create(previewPanel_.Handle(), ctl::PaintBox1, "PaintBox1", PanelLook::Plain);
    return lbPreview_ != nullptr && ComboBox1_ != nullptr;
}

void PreviewPane::Layout(DeferBatch& batch, const layout::ClientLayout& l) const {
    Place(batch, previewPanel_.Handle(), l.PreviewPanel);
    Place(batch, panel5_.Handle(), l.Panel5);
    Place(batch, panel6_.Handle(), l.Panel6);
    Place(batch, panel7_.Handle(), l.Panel7);
    Place(batch, Label5_, l.Label5);
    Place(batch, ComboBox1_, l.ComboBox1);
    Place(batch, lbPreview_, l.LbPreview);
    Place(batch, splitter3_.Handle(), l.Splitter3);
    Place(batch, paintBox1_.Handle(), l.PaintBox1);
}

std::string PreviewPane::SizeText() const {
    return WindowText(ComboBox1_);
}

void PreviewPane::SetSizeText(const std::string& text) const {
    SetWindowTextA(ComboBox1_, text.c_str());
}

std::string PreviewPane::SampleText() const {
    return WindowText(lbPreview_);
}

void PreviewPane::SetSampleText(const std::string& text) const {
    SetWindowTextA(lbPreview_, text.c_str());
}

void PreviewPane::LoadPrivateFont(const std::string& path) {
    privateFont_.reset();
    const UniqueGlobal block(ReadIntoBuffer(path.c_str()));
    if (!block)
        return;
    const GlobalLockGuard locked(block.get());
    DWORD fonts = 0;
    if (locked.data())
        privateFont_.reset(AddFontMemResourceEx(
            locked.data(), static_cast<DWORD>(GlobalSize(block.get())), nullptr, &fonts));
}

void PreviewPane::SetSampleFont(const std::string& face, int points) {
    const ClientDC screen(nullptr);
    LOGFONTA lf{};
    // The setting is written back as it was read; only the font keeps to sizes
    // a font can have.
    lf.lfHeight = -MulDiv(std::clamp(points, 1, kLargestPointSize),
                          GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    UniqueGdiObject font(CreateFontIndirectA(&lf));
    if (!font)
        return;
    SendMessageA(lbPreview_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    sampleFont_ = std::move(font); // the old one after the control let go of it
}

void PreviewPane::ShowSample(const std::string& face, int points) {
    SetSampleFont(face, points);
    ShowWindow(lbPreview_, SW_SHOW);
}

std::optional<LRESULT> PreviewPane::OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (message == WM_COMMAND && from == ComboBox1_) {
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            // The box's text follows the chosen row only after this notification.
            const ComboBox box(ComboBox1_);
            if (const int row = box.Selection(); row >= 0)
                SetSizeText(box.Text(row));
            host_->ComboBox1Change();
        } else if (HIWORD(wParam) == CBN_EDITCHANGE) {
            host_->ComboBox1Change();
        }
        return 0;
    }
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        if (from == lbPreview_)
            return BlackOrGreyOnWhite(dc, RGB(0, 0, 0));
        if (from == Label5_)
            return BlackOrGreyOnWhite(dc, RGB(128, 128, 128));
    }
    return std::nullopt;
}

} // namespace nq
