#include "panel.h"

#include "dc.h"
#include "text.h"
#include "window_class.h"

#include <array>

namespace nq {

namespace {

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

// The colour a fraction (in percent) of the way from colour to target.
COLORREF Towards(COLORREF colour, COLORREF target, int percent) {
    const auto mix = [percent](int from, int to) {
        return static_cast<BYTE>(from + (to - from) * percent / 100);
    };
    return RGB(mix(GetRValue(colour), GetRValue(target)), mix(GetGValue(colour), GetGValue(target)),
               mix(GetBValue(colour), GetBValue(target)));
}

void PaintHeader(HDC dc, const RECT& client, const std::string& text, HFONT font,
                 const std::optional<COLORREF>& face, const std::optional<COLORREF>& textColour) {
    const int height = client.bottom - client.top;
    if (face) {
        // The ramp's darker first and last rows, around a plain face.
        FillColour(dc, client, *face);
        const COLORREF edge = Towards(*face, RGB(0, 0, 0), 20);
        FillColour(dc, RECT{client.left, client.top, client.right, client.top + 1}, edge);
        FillColour(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom}, edge);
    } else {
        for (int y = 0; y < height; ++y) {
            const std::size_t row = static_cast<std::size_t>(y) * kHeaderRamp.size() / height;
            FillColour(dc, RECT{client.left, y, client.right, y + 1}, kHeaderRamp[row]);
        }
    }
    const SelectGuard selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour.value_or(GetSysColor(COLOR_WINDOWTEXT)));
    RECT r = client;
    const std::wstring wide = WideFromUtf8(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

bool IsChildNotification(UINT message) {
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
    case WM_CONTEXTMENU:
        return true;
    }
    return false;
}

} // namespace

bool Panel::Create(HWND parent, int id, const char* text, PanelLook look, ChildMessageSink* sink,
                   HFONT font) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpfnWndProc = Procedure;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassOnce(wc);
    look_ = look;
    sink_ = sink;
    font_ = font;
    return CreateBound(WS_EX_CONTROLPARENT, kClassName, text,
                       WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                       parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) != nullptr;
}

void Panel::Paint() {
    const PaintDC dc(Handle());
    if (onPaint_) {
        onPaint_(dc.get(), dc.PaintRect());
        return;
    }
    RECT client;
    GetClientRect(Handle(), &client);
    switch (look_) {
    case PanelLook::Plain:
        FillColour(dc.get(), client, GetSysColor(COLOR_BTNFACE));
        break;
    case PanelLook::White:
        FillColour(dc.get(), client, face_.value_or(RGB(255, 255, 255)));
        break;
    case PanelLook::Header:
        PaintHeader(dc.get(), client, WindowText(Handle()), font_, face_, text_);
        break;
    case PanelLook::WhiteSunken:
        if (!face_) {
            FillColour(dc.get(), client, RGB(255, 255, 255));
            DrawEdge(dc.get(), &client, BDR_SUNKENINNER, BF_RECT);
            break;
        }
        // The lowered edge in shades of the face: darker above and left,
        // lighter below and right.
        FillColour(dc.get(), client, Towards(*face_, RGB(0, 0, 0), 30));
        FillColour(dc.get(), RECT{client.left + 1, client.top + 1, client.right, client.bottom},
                   Towards(*face_, RGB(255, 255, 255), 12));
        FillColour(dc.get(),
                   RECT{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1},
                   *face_);
        break;
    }
}

void Panel::SetColours(std::optional<COLORREF> face, std::optional<COLORREF> text) {
    if (face == face_ && text == text_)
        return;
    face_ = face;
    text_ = text;
    if (Handle())
        InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsChildNotification(message)) {
        if (sink_)
            if (const std::optional<LRESULT> answer =
                    sink_->OnChildMessage(message, wParam, lParam))
                return *answer;
        if (HWND parent = GetParent(Handle()))
            return SendMessageA(parent, message, wParam, lParam);
        return DefWindowProcA(Handle(), message, wParam, lParam);
    }
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        if (onMouse_)
            onMouse_(message,
                     POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_PRINTCLIENT:
        if (onPaint_) {
            RECT client{};
            GetClientRect(Handle(), &client);
            onPaint_(reinterpret_cast<HDC>(wParam), client);
        }
        return 0;
    case WM_ERASEBKGND:
        return 1; // WM_PAINT covers every pixel
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SIZE:
        // Centred captions and bevels move with the size, and a background
        // stretched to the panel's width changes everywhere, not only in the
        // strip a larger size uncovers.
        if (look_ != PanelLook::Plain || onPaint_)
            InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    }
    return DefWindowProcA(Handle(), message, wParam, lParam);
}

} // namespace nq
