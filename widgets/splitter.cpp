#include "splitter.h"

#include "dc.h"
#include "window_class.h"

namespace nq {

bool Splitter::Create(HWND parent, int id, const char* name, SplitterAxis axis,
                      DragHandler onDrag) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpfnWndProc = Procedure;
    wc.lpszClassName = kClassName; // no class cursor: WM_SETCURSOR picks it per bar
    RegisterClassOnce(wc);
    axis_ = axis;
    onDrag_ = std::move(onDrag);
    return CreateBound(0, kClassName, name, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                       parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))) != nullptr;
}

int Splitter::DragOffset() const {
    POINT now;
    GetCursorPos(&now);
    return axis_ == SplitterAxis::Horizontal ? now.y - press_.y : now.x - press_.x;
}

LRESULT Splitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(
            LoadCursorA(nullptr, axis_ == SplitterAxis::Horizontal ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
    case WM_LBUTTONDOWN:
        GetCursorPos(&press_);
        SetCapture(Handle());
        if (onDrag_)
            onDrag_(SplitterPhase::DragStart, 0);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == Handle() && onDrag_)
            onDrag_(SplitterPhase::DragMove, DragOffset());
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == Handle())
            ReleaseCapture(); // ends the drag through WM_CAPTURECHANGED
        return 0;
    case WM_CAPTURECHANGED:
        if (onDrag_)
            onDrag_(SplitterPhase::DragEnd, DragOffset());
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        const PaintDC dc(Handle());
        if (onPaint_) {
            onPaint_(dc.get());
            return 0;
        }
        SetBkColor(dc.get(), GetSysColor(COLOR_BTNFACE));
        ExtTextOutA(dc.get(), 0, 0, ETO_OPAQUE, &dc.PaintRect(), nullptr, 0, nullptr);
        return 0;
    }
    }
    return DefWindowProcA(Handle(), message, wParam, lParam);
}

} // namespace nq
