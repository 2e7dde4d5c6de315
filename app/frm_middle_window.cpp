// TfrmMiddle: the window, its controls and their layout, and the routing of
// the controls' notifications to the handlers.
#include "frm_middle.h"

#include "child_windows.h"
#include "control_ids.h"
#include "window_class.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {

using child_windows::PanelLook;
using child_windows::SplitterAxis;

constexpr const char* kBuiltInSampleText =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklm\r\nnop\r\nqr\r\nstuvwxyz1234567890";
constexpr const char* kSizeChoices[] = {"8",  "10", "12", "14", "16", "20", "24", "32",
                                        "36", "42", "48", "56", "64", "72", "144"};
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kLabelGrey = RGB(128, 128, 128);
constexpr UINT_PTR kEditSearchSubclass = 1;
// Largest point size a font can be made with (its height must fit in 16 bits).
constexpr int kLargestPointSize = 1600;

HFONT CreateUiFont(int pixelHeight, const char* face) {
    return CreateFontA(pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

HWND CreateControl(const char* cls, const char* text, DWORD style, DWORD exStyle, HWND parent,
                   int id) {
    return CreateWindowExA(exStyle, cls, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

void SetFont(HWND control, HGDIOBJ font) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void Place(HWND window, const layout::Rect& r) {
    if (window)
        SetWindowPos(window, nullptr, r.Left, r.Top, r.Width, r.Height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

std::string TfrmMiddle::WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

std::string TfrmMiddle::RowText(HWND listBox, int row) {
    const LRESULT length = SendMessageA(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(listBox, LB_GETTEXT, static_cast<WPARAM>(row),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

void TfrmMiddle::RegisterWindowClass() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMiddleWindowClass;
    nq::RegisterClassOnce(wc);
    child_windows::RegisterClasses(instance);
}

void TfrmMiddle::CreateFonts() {
    headerFont_.reset(CreateUiFont(-11, "Lucida Sans Unicode"));
    searchFont_.reset(CreateUiFont(-13, "Lucida Sans Unicode"));
    sizeBoxFont_.reset(CreateUiFont(-11, "Lucida Sans Unicode"));
    sizeLabelFont_.reset(CreateUiFont(-13, "Lucida Sans Unicode"));
    whiteBrush_ = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

void TfrmMiddle::CreateControls() {
    using child_windows::CreatePanel;
    using child_windows::CreateSplitter;
    const HGDIOBJ listFont = GetStockObject(DEFAULT_GUI_FONT);
    Controls& c = ctl_;

    c.Toolbar = CreatePanel(hwnd_, ctl::Toolbar, "Toolbar", PanelLook::Plain);
    c.Panel10 = CreatePanel(c.Toolbar, ctl::Panel10, "Panel10", PanelLook::Plain);
    c.editSearch = CreateControl("EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, c.Panel10,
                                 ctl::EditSearch);
    SetFont(c.editSearch, searchFont_.get());
    // A mouse click into the box is told apart from entering it by keyboard.
    SetWindowSubclass(c.editSearch, EditSearchProc, kEditSearchSubclass,
                      reinterpret_cast<DWORD_PTR>(this));

    c.bgPanel = CreatePanel(hwnd_, ctl::BgPanel, "bgPanel", PanelLook::Plain);

    const DWORD listStyle =
        WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    c.Panel3 = CreatePanel(c.bgPanel, ctl::Panel3, "Panel3", PanelLook::Plain);
    c.CollectionHeader =
        CreatePanel(c.Panel3, ctl::CollectionHeader, "Collection", PanelLook::Header);
    SetFont(c.CollectionHeader, headerFont_.get());
    // The window text names the list for outside tools; a list box never shows it.
    c.lbFolders = CreateControl("LISTBOX", "lbFolders", listStyle | LBS_EXTENDEDSEL, 0, c.Panel3,
                                ctl::LbFolders);
    SetFont(c.lbFolders, listFont);
    c.Panel9 = CreatePanel(c.Panel3, ctl::Panel9, "Panel9", PanelLook::Plain);
    c.Button2 = CreateControl("BUTTON", "Button2", BS_PUSHBUTTON, 0, c.Panel9, ctl::Button2);

    c.Splitter1 = CreateSplitter(c.bgPanel, ctl::Splitter1, "Splitter1", SplitterAxis::Vertical);

    c.Panel1 = CreatePanel(c.bgPanel, ctl::Panel1, "Panel1", PanelLook::Plain);
    c.FontHeader = CreatePanel(c.Panel1, ctl::FontHeader, "Font", PanelLook::Header);
    SetFont(c.FontHeader, headerFont_.get());
    c.lbFonts =
        CreateControl("LISTBOX", "lbFonts", listStyle | LBS_SORT, 0, c.Panel1, ctl::LbFonts);
    SetFont(c.lbFonts, listFont);
    c.Panel8 = CreatePanel(c.Panel1, ctl::Panel8, "Panel8", PanelLook::Plain);
    c.Button1 = CreateControl("BUTTON", "Button1", BS_PUSHBUTTON, 0, c.Panel8, ctl::Button1);

    c.Splitter2 = CreateSplitter(c.bgPanel, ctl::Splitter2, "Splitter2", SplitterAxis::Vertical);

    c.previewPanel = CreatePanel(c.bgPanel, ctl::PreviewPanel, "previewPanel", PanelLook::Plain);
    c.Panel5 = CreatePanel(c.previewPanel, ctl::Panel5, "Panel5", PanelLook::WhiteSunken);
    c.Panel6 = CreatePanel(c.Panel5, ctl::Panel6, "Panel6", PanelLook::White);
    c.Panel7 = CreatePanel(c.Panel6, ctl::Panel7, "Panel7", PanelLook::White);
    c.Label5 = CreateControl("STATIC", "Size:", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, c.Panel7,
                             ctl::Label5);
    SetFont(c.Label5, sizeLabelFont_.get());
    c.ComboBox1 = CreateControl("COMBOBOX", "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                                0, c.Panel7, ctl::ComboBox1);
    SetFont(c.ComboBox1, sizeBoxFont_.get());
    for (const char* size : kSizeChoices)
        SendMessageA(c.ComboBox1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    // Hidden until a font is selected; word wrap: no horizontal scrolling.
    c.lbPreview =
        CreateControl("EDIT", kBuiltInSampleText,
                      WS_TABSTOP | ES_MULTILINE | ES_CENTER | ES_AUTOVSCROLL | ES_WANTRETURN, 0,
                      c.Panel5, ctl::LbPreview);
    SendMessageA(c.lbPreview, EM_SETLIMITTEXT, 0, 0); // as long as the sample text file is
    c.Splitter3 =
        CreateSplitter(c.previewPanel, ctl::Splitter3, "Splitter3", SplitterAxis::Horizontal);
    c.PaintBox1 = CreatePanel(c.previewPanel, ctl::PaintBox1, "PaintBox1", PanelLook::Plain);
}

void TfrmMiddle::ApplyLayout() {
    if (!ctl_.Toolbar)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const layout::ClientLayout l =
        layout::ComputeClientLayout(client.right, client.bottom, paneSizes_);
    const Controls& c = ctl_;
    Place(c.Toolbar, l.Toolbar);
    Place(c.Panel10, l.Panel10);
    Place(c.editSearch, l.EditSearch);
    Place(c.bgPanel, l.BgPanel);
    Place(c.Panel3, l.Panel3);
    Place(c.CollectionHeader, l.CollectionHeader);
    Place(c.lbFolders, l.LbFolders);
    Place(c.Panel9, l.Panel9);
    Place(c.Splitter1, l.Splitter1);
    Place(c.Panel1, l.Panel1);
    Place(c.FontHeader, l.FontHeader);
    Place(c.lbFonts, l.LbFonts);
    Place(c.Panel8, l.Panel8);
    Place(c.Splitter2, l.Splitter2);
    Place(c.previewPanel, l.PreviewPanel);
    Place(c.Panel5, l.Panel5);
    Place(c.Panel6, l.Panel6);
    Place(c.Panel7, l.Panel7);
    Place(c.Label5, l.Label5);
    Place(c.ComboBox1, l.ComboBox1);
    Place(c.lbPreview, l.LbPreview);
    Place(c.Splitter3, l.Splitter3);
    Place(c.PaintBox1, l.PaintBox1);
}

void TfrmMiddle::ApplyPreviewFont() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTA lf{};
    // The setting is written back as it was read; only the font keeps to sizes
    // a font can have.
    const int points = std::clamp(previewSize_, 1, kLargestPointSize);
    lf.lfHeight = -MulDiv(points, dpi, 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, previewFace_.c_str(), LF_FACESIZE - 1);
    nq::UniqueGdiObject font(CreateFontIndirectA(&lf));
    if (!font)
        return;
    SendMessageA(ctl_.lbPreview, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    previewFont_ = std::move(font); // the old one after the control let go of it
}

LRESULT CALLBACK TfrmMiddle::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<TfrmMiddle*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<TfrmMiddle*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT TfrmMiddle::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        ApplyLayout();
        return 0;
    case WM_COMMAND:
        if (lParam != 0)
            OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                               message);
    case child_windows::kSplitterMessage:
        OnSplitter(LOWORD(wParam), HIWORD(wParam), static_cast<int>(lParam));
        return 0;
    case WM_DESTROY:
        FormDestroy();
        if (quitOnDestroy_)
            PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcA(hwnd_, message, wParam, lParam);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        ctl_ = Controls{};
        return result;
    }
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void TfrmMiddle::OnCommand(int id, int code) {
    switch (id) {
    case ctl::LbFolders:
        if (code == LBN_SELCHANGE)
            lbFoldersClick();
        break;
    case ctl::LbFonts:
        if (code == LBN_SELCHANGE)
            lbFontsClick();
        break;
    case ctl::EditSearch:
        if (code == EN_CHANGE)
            editSearchChange();
        else if (code == EN_KILLFOCUS)
            editSearchExit();
        break;
    case ctl::ComboBox1:
        if (code == CBN_EDITCHANGE) {
            ComboBox1Change();
        } else if (code == CBN_SELCHANGE) {
            // The box's text follows the chosen row only after this notification.
            const LRESULT row = SendMessageA(ctl_.ComboBox1, CB_GETCURSEL, 0, 0);
            char text[16] = {};
            if (row != CB_ERR &&
                SendMessageA(ctl_.ComboBox1, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0) <
                    static_cast<LRESULT>(sizeof text)) {
                SendMessageA(ctl_.ComboBox1, CB_GETLBTEXT, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(text));
                SetWindowTextA(ctl_.ComboBox1, text);
            }
            ComboBox1Change();
        }
        break;
    }
}

LRESULT TfrmMiddle::OnControlColour(HDC dc, HWND control, UINT message) {
    if (control == ctl_.editSearch) {
        SetTextColor(dc, searchActive_ ? kBlack : kSilver);
        SetBkColor(dc, kWhite);
        return reinterpret_cast<LRESULT>(whiteBrush_);
    }
    if (control == ctl_.lbPreview) {
        SetTextColor(dc, kBlack);
        SetBkColor(dc, kWhite);
        return reinterpret_cast<LRESULT>(whiteBrush_);
    }
    if (control == ctl_.Label5) {
        SetTextColor(dc, kLabelGrey);
        SetBkColor(dc, kWhite);
        return reinterpret_cast<LRESULT>(whiteBrush_);
    }
    return DefWindowProcA(hwnd_, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
}

void TfrmMiddle::OnSplitter(int id, int phase, int offset) {
    int* size = id == ctl::Splitter1   ? &paneSizes_.CollectionsPane
                : id == ctl::Splitter2 ? &paneSizes_.FontsPane
                : id == ctl::Splitter3 ? &paneSizes_.DetailsPane
                                       : nullptr;
    if (!size)
        return;
    if (phase == child_windows::DragStart) {
        dragStartSize_ = *size;
        return;
    }
    RECT bg;
    GetClientRect(ctl_.bgPanel, &bg);
    int resized = *size;
    switch (id) {
    case ctl::Splitter1:
        resized = layout::DraggedCollectionsPane(dragStartSize_ + offset, bg.right, paneSizes_);
        break;
    case ctl::Splitter2:
        resized = layout::DraggedFontsPane(dragStartSize_ + offset, bg.right, paneSizes_);
        break;
    case ctl::Splitter3: // dragging up enlarges the details strip below it
        resized = layout::DraggedDetailsPane(dragStartSize_ - offset, bg.bottom, paneSizes_);
        break;
    }
    if (resized != *size) {
        *size = resized;
        ApplyLayout();
    }
    // The lists redraw while the pane follows the mouse and once more at the end.
    if (id == ctl::Splitter1)
        InvalidateRect(ctl_.lbFolders, nullptr, TRUE);
    else if (id == ctl::Splitter2)
        InvalidateRect(ctl_.lbFonts, nullptr, TRUE);
}

LRESULT CALLBACK TfrmMiddle::EditSearchProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR selfData) {
    auto* self = reinterpret_cast<TfrmMiddle*>(selfData);
    switch (message) {
    case WM_LBUTTONDOWN:
        self->editSearchPressed_ = true;
        break;
    case WM_LBUTTONUP: {
        const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
        if (std::exchange(self->editSearchPressed_, false))
            self->editSearchClick();
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, EditSearchProc, kEditSearchSubclass);
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}
