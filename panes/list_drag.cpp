#include "list_drag.h"

#include "drag_cursor.h"

#include <cstdlib>
#include <utility>

namespace nq {

namespace {

POINT ScreenPoint(HWND window, LPARAM lParam) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(window, &p);
    return p;
}

} // namespace

void ListDrag::Attach(HWND list, DragSource source, PaneHost& host) {
    host_ = &host;
    source_ = source;
    subclass_.Attach(list, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return OnMessage(window, message, wParam, lParam);
    });
}

void ListDrag::End(HWND list) {
    pressed_ = false;
    if (!std::exchange(dragging_, false))
        return;
    POINT press = pressAt_;
    ScreenToClient(list, &press);
    Subclass::CallPrevious(list, WM_LBUTTONUP, 0,
                           MAKELPARAM(static_cast<WORD>(press.x), static_cast<WORD>(press.y)));
    if (GetCapture() == list)
        ReleaseCapture();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

Subclass::Handled ListDrag::OnMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN: {
        // The list makes the pressed row its current row first.
        const LRESULT result = Subclass::CallPrevious(list, message, wParam, lParam);
        pressed_ = true;
        dragging_ = false;
        pressAt_ = ScreenPoint(list, lParam);
        return {true, result};
    }
    case WM_MOUSEMOVE: {
        if (!pressed_ || !(wParam & MK_LBUTTON))
            break;
        const POINT at = ScreenPoint(list, lParam);
        if (!dragging_) {
            if (std::abs(at.x - pressAt_.x) < GetSystemMetrics(SM_CXDRAG) &&
                std::abs(at.y - pressAt_.y) < GetSystemMetrics(SM_CYDRAG))
                break;
            // From here on the row is dragged, not the list's selection.
            dragging_ = true;
            SetCapture(list);
        }
        SetCursor(host_->DragOver(source_, at) ? DragCursor() : NoDropCursor());
        return {true, 0};
    }
    case WM_LBUTTONUP:
        if (dragging_) {
            const POINT at = ScreenPoint(list, lParam);
            End(list);
            if (host_->DragOver(source_, at))
                host_->DragDrop(source_, at);
            return {true, 0};
        }
        pressed_ = false;
        break;
    case WM_KEYDOWN:
        if (dragging_ && wParam == VK_ESCAPE) {
            End(list);
            return {true, 0};
        }
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag is over without a drop.
        if (reinterpret_cast<HWND>(lParam) != list)
            End(list);
        break;
    }
    return {};
}

} // namespace nq
