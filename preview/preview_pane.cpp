#include "preview_pane.h"

#include "child.h"
#include "control_ids.h"
#include "dc.h"
#include "glyphscan.h"
#include "list_controls.h"
#include "place.h"
#include "text.h"
#include "ui_fonts.h"
#include "uaa_fonts.h"
#include "client_skin.h"
#include "offscreen.h"

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

// Gives the size box its font. A combo box makes its selection field as high
// as its font needs; away from 96 DPI the field is set to the height it has
// with the 96-DPI font, scaled, so that the box keeps its proportions (its
// frame is the system's, scaled by the system where it scales it).
void FitSizeBox(HWND combo, HFONT font, int dpi) {
    LRESULT field96 = 0;
    if (dpi != kBaseDpi) {
        const UniqueGdiObject at96 = CreateUiFont(-11, kBaseDpi);
        SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(at96.get()), FALSE);
        field96 = SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    }
    SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (field96 > 0)
        SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     Scaled(static_cast<int>(field96), dpi));
}

} // namespace

bool PreviewPane::Create(HWND paneArea, PaneHost& host) {
    host_ = &host;
    if (!previewPanel_.Create(paneArea, ctl::PreviewPanel, "previewPanel", PanelLook::Plain, this))
        return false;
    panel5_.Create(previewPanel_.Handle(), ctl::Panel5, "Panel5", PanelLook::WhiteSunken, this);
    panel6_.Create(panel5_.Handle(), ctl::Panel6, "Panel6", PanelLook::White, this);
    panel7_.Create(panel6_.Handle(), ctl::Panel7, "Panel7", PanelLook::White, this);
    Label5_ = CreateChild("STATIC", "Size:", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                          panel7_.Handle(), ctl::Label5);
    ComboBox1_ = CreateChild("COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 0,
                             panel7_.Handle(), ctl::ComboBox1);
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
    if (PaintBox1_.Create(previewPanel_.Handle(), ctl::PaintBox1, "PaintBox1")) {
        PaintBox1_.OnPaint = [this](TFlickerFreePaintBox&, HDC canvas) { PaintBox2Paint(canvas); };
    }
    // Beneath the windowed controls: the user never sees them, the strip and
    // outside tools read them.
    const auto label = [&](int id) {
        return CreateChild("STATIC", "", SS_LEFT | SS_NOPREFIX, 0, previewPanel_.Handle(), id);
    };
    lblName_ = label(ctl::LblName);
    lblCopyright_ = label(ctl::LblCopyright);
    lblTrademark_ = label(ctl::LblTrademark);
    lblFamily_ = label(ctl::LblFamily);
    if (!lbPreview_ || !ComboBox1_)
        return false;
    ApplyDpi();
    return true;
}

void PreviewPane::ApplyDpi() {
    const int dpi = host_->Dpi();
    UniqueGdiObject sizeBoxFont = CreateUiFont(-11, dpi);
    UniqueGdiObject sizeLabelFont = CreateUiFont(-13, dpi);
    SendMessageA(Label5_, WM_SETFONT, reinterpret_cast<WPARAM>(sizeLabelFont.get()), FALSE);
    FitSizeBox(ComboBox1_, AsFont(sizeBoxFont), dpi);
    sizeBoxFont_ = std::move(sizeBoxFont); // the old ones after the controls let go of them
    sizeLabelFont_ = std::move(sizeLabelFont);
    stripFont_ = CreateUiFont(-11, dpi);
    LOGFONTA bold{};
    GetObjectA(stripFont_.get(), sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    stripBoldFont_.reset(CreateFontIndirectA(&bold));
    PaintBox1_.SetFont(AsFont(stripFont_));
    // The sample keeps its point size: as many pixels as that takes at this DPI.
    if (samplePoints_ > 0)
        SetSampleFont(sampleFace_, samplePoints_);
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
    Place(batch, PaintBox1_.Handle(), l.PaintBox1);
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
    LOGFONTA lf{};
    // The setting is written back as it was read; only the font keeps to sizes
    // a font can have, and the heading names the size the sample shows.
    const int shown = std::clamp(points, 1, kLargestPointSize);
    // A point is 1/72 inch on the monitor the window is on: 32 points are
    // 32 points on every screen.
    lf.lfHeight = -MulDiv(shown, host_->Dpi(), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    const UniqueGdiObject plain(CreateFontIndirectA(&lf));
    UniqueGdiObject font = MakeFontAntialiased(static_cast<HFONT>(plain.get()));
    if (!font)
        return;
    samplePoints_ = shown;
    sampleFace_ = face;
    SendMessageA(lbPreview_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    sampleFont_ = std::move(font); // the old one after the control let go of it
}

void PreviewPane::ShowDetails(const std::string& name, const std::string& copyright,
                              const std::string& trademark, const std::string& family) const {
    SetWindowTextA(lblName_, name.c_str());
    SetWindowTextA(lblCopyright_, copyright.c_str());
    SetWindowTextA(lblTrademark_, trademark.c_str());
    SetWindowTextA(lblFamily_, family.c_str());
    PaintBox1_.Invalidate();
}

void PreviewPane::PaintBox2Paint(HDC canvas) {
    const ClientSkin& skin = host_->Skin();
    if (!skin.PaneBackground())
        return;
    const int dpi = host_->Dpi();
    RECT strip{};
    GetClientRect(PaintBox1_.Handle(), &strip);
    if (const GdipGraphicsPtr graphics = GraphicsOn(canvas))
        skin.DrawPaneBackgroundUnder(graphics.get(), PaintBox1_.Handle(),
                                     GetParent(previewPanel_.Handle()), strip.right, strip.bottom);
    SetBkMode(canvas, TRANSPARENT);
    const auto out = [canvas](int x, int y, const std::string& text, COLORREF colour) {
        SetTextColor(canvas, colour);
        TextOutA(canvas, x, y, text.c_str(), static_cast<int>(text.size()));
    };
    constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);
    const std::string name = WindowText(lblName_);
    if (!name.empty()) {
        const SelectGuard bold(canvas, stripBoldFont_.get());
        const std::string heading = name + ", " + std::to_string(samplePoints_) + " pt.";
        SIZE size{};
        GetTextExtentPoint32A(canvas, heading.c_str(), static_cast<int>(heading.size()), &size);
        const int x = static_cast<int>(strip.right / 2.0 - size.cx / 2.0);
        // A white copy one pixel lower gives the black text a light edge.
        out(x, Scaled(3, dpi), heading, kWhite);
        out(x, Scaled(2, dpi), heading, kBlack);
    }
    // The design height shows the heading alone.
    if (strip.bottom == Scaled(layout::kDefaultDetailsHeight, dpi))
        return;
    const std::string lines[] = {"Name: " + name, "Copyright: " + WindowText(lblCopyright_),
                                 "Trademark: " + WindowText(lblTrademark_),
                                 "Family: " + WindowText(lblFamily_)};
    const int left = Scaled(1, dpi);
    for (int i = 0; i < 4; ++i)
        out(left, Scaled(17 + 20 * i, dpi), lines[i], kWhite);
    for (int i = 0; i < 4; ++i)
        out(left, Scaled(16 + 20 * i, dpi), lines[i], kBlack);
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
