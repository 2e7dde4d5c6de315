#include "ffpbox.h"

#include "dc.h"
#include "dib.h"
#include "handles.h"
#include "window_class.h"

namespace nq {

bool TFlickerFreePaintBox::Create(HWND parent, int id, const char* name) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    // The owner lays its drawing out against the box's size: a new size
    // repaints all of it.
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpfnWndProc = Procedure;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName; // no class brush: nothing is ever erased
    RegisterClassOnce(wc);
    return CreateBound(0, kClassName, name, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                       parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) != nullptr;
}

void TFlickerFreePaintBox::SetColor(COLORREF color) {
    color_ = color;
    Invalidate();
}

void TFlickerFreePaintBox::SetFont(HFONT font) {
    font_ = font;
    Invalidate();
}

void TFlickerFreePaintBox::Invalidate() const {
    if (Handle())
        InvalidateRect(Handle(), nullptr, FALSE);
}

void TFlickerFreePaintBox::Repaint() const {
    if (Handle()) {
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    }
}

void TFlickerFreePaintBox::Paint(HDC target) {
    if (!OnPaint)
        return; // the window keeps what the screen showed before
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return;
    // Declared in this order, the guards come off before the bitmap is
    // deleted, and the bitmap before its device context. A 32-bit DIB
    // rather than a bitmap compatible with target: GDI+ draws the part of a
    // 32-bit ARGB image that it is asked for onto a DIB, where onto a
    // device-dependent bitmap Wine's converts the whole image first (the
    // pane background that the bars copy from is the pane area's size).
    const MemoryDC canvas(target);
    const ArgbDib bitmap(width, height);
    if (!canvas || !bitmap)
        return;
    const SelectGuard selectedBitmap(canvas.get(), bitmap.Bitmap());
    const SelectGuard selectedFont(canvas.get(), font_);
    const SelectGuard selectedBrush(canvas.get(), GetStockObject(DC_BRUSH));
    SetDCBrushColor(canvas.get(), color_);
    SetBkColor(canvas.get(), color_);
    SetTextColor(canvas.get(), RGB(0, 0, 0));
    ExtTextOutA(canvas.get(), 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    OnPaint(*this, canvas.get());
    BitBlt(target, 0, 0, width, height, canvas.get(), 0, 0, SRCCOPY);
}

// An exception must not cross the window procedure back into the system. By
// the time it arrives here Paint has freed the canvas and left the screen as
// it was; the paint still ends (the caller's EndPaint validates the window, so
// the fault does not come back as an endless stream of WM_PAINT), and the
// exception is dropped.
void TFlickerFreePaintBox::PaintFromWindowProcedure(HDC target) {
    try {
        Paint(target);
    } catch (...) {
    }
}

LRESULT TFlickerFreePaintBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel in one copy
    case WM_PAINT: {
        const PaintDC dc(Handle());
        PaintFromWindowProcedure(dc.get());
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintFromWindowProcedure(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            Invalidate();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        const POINT client{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
            SetCapture(Handle());
            if (OnMouseDown)
                OnMouseDown(*this, message, client);
        } else {
            if (GetCapture() == Handle())
                ReleaseCapture();
            if (OnMouseUp)
                OnMouseUp(*this, message, client);
        }
        return 0;
    }
    }
    return DefWindowProcA(Handle(), message, wParam, lParam);
}

} // namespace nq
