#include "child_windows.h"

#include "window_class.h"

#include <array>
#include <string>

namespace child_windows {

namespace {

// Window extra slots of both classes.
constexpr int kLookSlot = 0;                 // PanelLook or SplitterAxis
constexpr int kFontSlot = sizeof(LONG_PTR);  // panel: its HFONT
constexpr int kPressSlot = sizeof(LONG_PTR); // splitter: cursor position at the press
constexpr int kExtraBytes = 2 * sizeof(LONG_PTR);

// Rows of the header strips' shading, top to bottom, stretched over the strip.
constexpr std::array<COLORREF, 18> kHeaderRamp = {
    RGB(0xB5, 0xB5, 0xB5), RGB(0xE7, 0xE7, 0xE7), RGB(0xF2, 0xF2, 0xF2), RGB(0xEF, 0xEF, 0xEF),
    RGB(0xEC, 0xEC, 0xEC), RGB(0xE7, 0xE7, 0xE7), RGB(0xE4, 0xE4, 0xE4), RGB(0xE0, 0xE0, 0xE0),
    RGB(0xDF, 0xDF, 0xDF), RGB(0xE0, 0xE0, 0xE0), RGB(0xDC, 0xDC, 0xDC), RGB(0xD1, 0xD1, 0xD1),
    RGB(0xD5, 0xD5, 0xD5), RGB(0xDD, 0xDD, 0xDD), RGB(0xE7, 0xE7, 0xE7), RGB(0xF3, 0xF3, 0xF3),
    RGB(0xF0, 0xF0, 0xF0), RGB(0xB4, 0xB4, 0xB4)};

void FillColour(HDC dc, const RECT& r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void PaintHeader(HWND panel, HDC dc, const RECT& client) {
    const int height = client.bottom - client.top;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * kHeaderRamp.size() / height;
        const RECT line{client.left, y, client.right, y + 1};
        FillColour(dc, line, kHeaderRamp[row]);
    }
    char text[128] = {};
    GetWindowTextA(panel, text, sizeof text);
    const HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(GetWindowLongPtrA(panel, kFontSlot)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT r = client;
    DrawTextA(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

void PaintPanel(HWND panel) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(panel, &ps);
    RECT client;
    GetClientRect(panel, &client);
    switch (static_cast<PanelLook>(GetWindowLongPtrA(panel, kLookSlot))) {
    case PanelLook::Plain:
        FillColour(dc, client, GetSysColor(COLOR_BTNFACE));
        break;
    case PanelLook::White:
        FillColour(dc, client, RGB(255, 255, 255));
        break;
    case PanelLook::Header:
        PaintHeader(panel, dc, client);
        break;
    case PanelLook::WhiteSunken:
        FillColour(dc, client, RGB(255, 255, 255));
        DrawEdge(dc, &client, BDR_SUNKENINNER, BF_RECT);
        break;
    }
    EndPaint(panel, &ps);
}

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return SendMessageA(GetAncestor(panel, GA_ROOT), message, wParam, lParam);
    case WM_SETFONT:
        SetWindowLongPtrA(panel, kFontSlot, static_cast<LONG_PTR>(wParam));
        if (LOWORD(lParam))
            InvalidateRect(panel, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrA(panel, kFontSlot);
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_PAINT:
        PaintPanel(panel);
        return 0;
    case WM_SIZE:
        // Centred captions and bevels move with the size.
        if (static_cast<PanelLook>(GetWindowLongPtrA(panel, kLookSlot)) != PanelLook::Plain)
            InvalidateRect(panel, nullptr, FALSE);
        return 0;
    }
    return DefWindowProcA(panel, message, wParam, lParam);
}

bool HorizontalBar(HWND splitter) {
    return static_cast<SplitterAxis>(GetWindowLongPtrA(splitter, kLookSlot)) ==
           SplitterAxis::Horizontal;
}

// The cursor's movement along the splitter's drag direction since the press.
int DragOffset(HWND splitter) {
    POINT now;
    GetCursorPos(&now);
    const LONG_PTR press = GetWindowLongPtrA(splitter, kPressSlot);
    const int pressX = static_cast<short>(LOWORD(press));
    const int pressY = static_cast<short>(HIWORD(press));
    return HorizontalBar(splitter) ? now.y - pressY : now.x - pressX;
}

void Notify(HWND splitter, SplitterPhase phase, int offset) {
    const WPARAM wParam = MAKEWPARAM(GetDlgCtrlID(splitter), phase);
    SendMessageA(GetAncestor(splitter, GA_ROOT), kSplitterMessage, wParam,
                 static_cast<LPARAM>(offset));
}

LRESULT CALLBACK SplitterProc(HWND splitter, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, HorizontalBar(splitter) ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
    case WM_LBUTTONDOWN: {
        POINT at;
        GetCursorPos(&at);
        SetWindowLongPtrA(
            splitter, kPressSlot,
            static_cast<LONG_PTR>(MAKELONG(static_cast<WORD>(at.x), static_cast<WORD>(at.y))));
        SetCapture(splitter);
        Notify(splitter, DragStart, 0);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (GetCapture() == splitter)
            Notify(splitter, DragMove, DragOffset(splitter));
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == splitter)
            ReleaseCapture(); // ends the drag through WM_CAPTURECHANGED
        return 0;
    case WM_CAPTURECHANGED:
        Notify(splitter, DragEnd, DragOffset(splitter));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(splitter, &ps);
        FillColour(dc, ps.rcPaint, GetSysColor(COLOR_BTNFACE));
        EndPaint(splitter, &ps);
        return 0;
    }
    }
    return DefWindowProcA(splitter, message, wParam, lParam);
}

} // namespace

void RegisterClasses(HINSTANCE instance) {
    const auto registerOnce = [instance](const char* name, WNDPROC proc, HCURSOR cursor) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.hInstance = instance;
        wc.lpfnWndProc = proc;
        wc.hCursor = cursor;
        wc.cbWndExtra = kExtraBytes;
        wc.lpszClassName = name;
        nq::RegisterClassOnce(wc);
    };
    registerOnce(kPanelClass, PanelProc, LoadCursorA(nullptr, IDC_ARROW));
    // The splitter sets its cursor for the bar's direction (WM_SETCURSOR).
    registerOnce(kSplitterClass, SplitterProc, nullptr);
}

HWND CreatePanel(HWND parent, int id, const char* text, PanelLook look) {
    HWND panel = CreateWindowExA(WS_EX_CONTROLPARENT, kPanelClass, text,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0,
                                 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    if (panel)
        SetWindowLongPtrA(panel, kLookSlot, static_cast<LONG_PTR>(look));
    return panel;
}

HWND CreateSplitter(HWND parent, int id, const char* name, SplitterAxis axis) {
    HWND splitter = CreateWindowExA(
        0, kSplitterClass, name, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (splitter)
        SetWindowLongPtrA(splitter, kLookSlot, static_cast<LONG_PTR>(axis));
    return splitter;
}

} // namespace child_windows
