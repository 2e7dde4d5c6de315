#include "preview_pane.h"

#include "child.h"
#include "control_ids.h"
#include "dc.h"
#include "font_file_win.h"
#include "list_controls.h"
#include "place.h"
#include "text.h"
#include "ui_fonts.h"
#include "uaa_fonts.h"
#include "client_skin.h"
#include "offscreen.h"

#include <algorithm>
#include <cwchar>
#include <vector>

namespace nq {

namespace {

constexpr const char* kBuiltInSampleText =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklm\r\nnop\r\nqr\r\nstuvwxyz1234567890";
constexpr const char* kSizeChoices[] = {"8",  "10", "12", "14", "16", "20", "24", "32",
                                        "36", "42", "48", "56", "64", "72", "144"};

// The sample text and the size label on the preview's background.
LRESULT OnPreviewBack(const ClientSkin& skin, HDC dc, COLORREF text) {
    SetTextColor(dc, text);
    SetBkColor(dc, skin.PreviewBack());
    return reinterpret_cast<LRESULT>(skin.PreviewBrush());
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
    SendMessageW(lbPreview_, EM_SETLIMITTEXT, 0, 0); // as long as the sample text file is
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
    LOGFONTW bold{};
    GetObjectW(stripFont_.get(), sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    stripBoldFont_.reset(CreateFontIndirectW(&bold));
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
    SetWindowTextUtf8(ComboBox1_, text);
}

std::string PreviewPane::SampleText() const {
    return WindowText(lbPreview_);
}

void PreviewPane::SetSampleText(const std::string& text) const {
    SetWindowTextUtf8(lbPreview_, text);
}

void PreviewPane::OpenFontFile(const std::string& path, bool loadPrivately) {
    privateFont_.Reset();
    face_ = {};
    if (!loadPrivately) {
        // Installed already: only the names are read, not the whole file.
        if (const std::optional<fontfile::FontFileInfo> info = fontfile::ReadFontFile(path))
            face_ = PreviewFaceOf(*info);
        return;
    }
    const std::optional<std::string> image = ReadFontFileBytes(path);
    if (!image)
        return;
    if (const std::optional<fontfile::FontFileInfo> info = fontfile::ReadFontImage(
            reinterpret_cast<const unsigned char*>(image->data()), image->size()))
        face_ = PreviewFaceOf(*info);
    privateFont_.Load(*image);
}

namespace {

// A font of face at height (LOGFONT's lfHeight), the sample's weight and set.
UniqueGdiObject SampleFontOf(const std::string& face, int height) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring wide = WideFromUtf8(face);
    wcsncpy(lf.lfFaceName, wide.c_str(), LF_FACESIZE - 1);
    return UniqueGdiObject(CreateFontIndirectW(&lf));
}

// Whether GDI gives font the face asked for, rather than one in its place.
bool GivesFace(HDC screen, HGDIOBJ font, const std::vector<std::string>& names) {
    const SelectGuard selected(screen, font);
    wchar_t given[LF_FACESIZE] = {};
    const int length = GetTextFaceW(screen, LF_FACESIZE, given);
    for (const std::string& name : names)
        if (length > 0 && lstrcmpiW(given, WideFromUtf8(name).c_str()) == 0)
            return true;
    return false;
}

} // namespace

void PreviewPane::SetSampleFont(const std::string& face, int points) {
    const ClientDC screen(nullptr);
    // The setting is written back as it was read; only the font keeps to sizes
    // a font can have, and the heading names the size the sample shows.
    int shown = std::clamp(points, 1, kLargestPointSize);
    // A point is 1/72 inch on the monitor the window is on: 32 points are
    // 32 points on every screen.
    int height = -MulDiv(shown, host_->Dpi(), 72);
    // A bitmap font has a few sizes only, each of its own cell height in
    // pixels: the one whose nominal size is nearest.
    const std::optional<fontfile::BitmapSize> bitmap = NearestBitmapSize(face_.BitmapSizes, shown);
    if (bitmap && bitmap->Points > 0 && bitmap->PixelHeight > 0) {
        shown = bitmap->Points;
        height = bitmap->PixelHeight;
    }
    // The file's own names first; the first GDI gives, else the first asked.
    std::vector<std::string> names = face_.Names;
    if (names.empty())
        names.push_back(face);
    UniqueGdiObject plain;
    for (const std::string& name : names) {
        UniqueGdiObject candidate = SampleFontOf(name, height);
        const bool given = candidate && GivesFace(screen.get(), candidate.get(), names);
        if (!plain || given)
            plain = std::move(candidate);
        if (given)
            break;
    }
    UniqueGdiObject font = MakeFontAntialiased(static_cast<HFONT>(plain.get()));
    if (!font)
        return;
    samplePoints_ = shown;
    sampleFace_ = face;
    bitmapSize_ = bitmap.has_value();
    SendMessageW(lbPreview_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    sampleFont_ = std::move(font); // the old one after the control let go of it
}

void PreviewPane::ShowDetails(const std::string& name, const std::string& copyright,
                              const std::string& trademark, const std::string& family,
                              int faceCount) {
    SetWindowTextUtf8(lblName_, name);
    SetWindowTextUtf8(lblCopyright_, copyright);
    SetWindowTextUtf8(lblTrademark_, trademark);
    SetWindowTextUtf8(lblFamily_, family);
    faceCount_ = faceCount;
    PaintBox1_.Invalidate();
}

std::vector<std::string> PreviewPane::DetailLines() const {
    std::vector<std::string> lines = {
        "Name: " + WindowText(lblName_), "Copyright: " + WindowText(lblCopyright_),
        "Trademark: " + WindowText(lblTrademark_), "Family: " + WindowText(lblFamily_)};
    // A collection's strings are its first face's; a fifth line counts its faces.
    if (faceCount_ > 1)
        lines.push_back("Faces: " + std::to_string(faceCount_));
    return lines;
}

std::string PreviewPane::Heading() const {
    const std::string name = WindowText(lblName_);
    if (name.empty())
        return {};
    return name + ", " + std::to_string(samplePoints_) + " pt." +
           (bitmapSize_ ? " (nearest bitmap size)" : "");
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
    const auto out = [canvas](int x, int y, const std::wstring& text, COLORREF colour) {
        SetTextColor(canvas, colour);
        TextOutW(canvas, x, y, text.c_str(), static_cast<int>(text.size()));
    };
    const ClientSkin::EdgedText colours = skin.DetailsColours();
    if (const std::wstring heading = WideFromUtf8(Heading()); !heading.empty()) {
        const SelectGuard bold(canvas, stripBoldFont_.get());
        SIZE size{};
        GetTextExtentPoint32W(canvas, heading.c_str(), static_cast<int>(heading.size()), &size);
        const int x = static_cast<int>(strip.right / 2.0 - size.cx / 2.0);
        // A copy one pixel lower in the edge colour sets the text off the
        // background (white under black).
        out(x, Scaled(3, dpi), heading, colours.Edge);
        out(x, Scaled(2, dpi), heading, colours.Text);
    }
    // The design height shows the heading alone.
    if (strip.bottom == Scaled(layout::kDefaultDetailsHeight, dpi))
        return;
    std::vector<std::wstring> lines;
    for (const std::string& line : DetailLines())
        lines.push_back(WideFromUtf8(line));
    const int left = Scaled(1, dpi);
    for (std::size_t i = 0; i < lines.size(); ++i)
        out(left, Scaled(17 + 20 * static_cast<int>(i), dpi), lines[i], colours.Edge);
    for (std::size_t i = 0; i < lines.size(); ++i)
        out(left, Scaled(16 + 20 * static_cast<int>(i), dpi), lines[i], colours.Text);
}

void PreviewPane::ApplySkinColours() {
    for (Panel* panel : {&panel5_, &panel6_, &panel7_})
        panel->SetColours(AsColour(host_->Skin().Colours().PreviewBack));
    for (HWND control : {Label5_, lbPreview_})
        InvalidateRect(control, nullptr, TRUE);
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
        const ClientSkin& skin = host_->Skin();
        if (from == lbPreview_)
            return OnPreviewBack(skin, dc, skin.PreviewText());
        if (from == Label5_)
            return OnPreviewBack(skin, dc, skin.PreviewLabel());
    }
    return std::nullopt;
}

} // namespace nq
