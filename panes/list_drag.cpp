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

// Whether a plain press at lParam lands on one of several selected rows.
bool OnSelectedRows(HWND list, WPARAM keys, LPARAM lParam) {
    if (keys & (MK_SHIFT | MK_CONTROL))
        return false;
    if (SendMessageA(list, LB_GETSELCOUNT, 0, 0) < 2)
        return false;
    const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, lParam);
    return HIWORD(hit) == 0 && SendMessageA(list, LB_GETSEL, LOWORD(hit), 0) > 0;
}

} // namespace

void ListDrag::Attach(HWND list, DragSource source, PaneHost& host, bool dragsSelection) {
    host_ = &host;
    source_ = source;
    dragsSelection_ = dragsSelection;
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
    // A list that never saw the press has no click to end.
    if (!std::exchange(pressHeld_, false))
        Subclass::CallPrevious(list, WM_LBUTTONUP, 0,
                               MAKELPARAM(static_cast<WORD>(press.x), static_cast<WORD>(press.y)));
    if (GetCapture() == list)
        ReleaseCapture();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

Subclass::Handled ListDrag::OnMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN: {
        pressed_ = true;
        dragging_ = false;
        pressAt_ = ScreenPoint(list, lParam);
        pressHeld_ = dragsSelection_ && OnSelectedRows(list, wParam, lParam);
        if (pressHeld_) {
            // The selection stays for a drag; the mouse is ours until the release.
            SetFocus(list);
            SetCapture(list);
            return {true, 0};
        }
        // The list makes the pressed row its current row first.
        return {true, Subclass::CallPrevious(list, message, wParam, lParam)};
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
        if (std::exchange(pressHeld_, false)) {
            // No drag came of it: the press was a click on that row.
            if (GetCapture() == list)
                ReleaseCapture();
            POINT press = pressAt_;
            ScreenToClient(list, &press);
            Subclass::CallPrevious(
                list, WM_LBUTTONDOWN, MK_LBUTTON,
                MAKELPARAM(static_cast<WORD>(press.x), static_cast<WORD>(press.y)));
        }
        break;
    case WM_KEYDOWN:
        if (dragging_ && wParam == VK_ESCAPE) {
            End(list);
            return {true, 0};
        }
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag is over without a drop.
        if (reinterpret_cast<HWND>(lParam) != list) {
            if (!dragging_)
                pressHeld_ = false;
            End(list);
        }
        break;
    }
    return {};
}

} // namespace nq
