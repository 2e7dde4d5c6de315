#include "window_base.h"

namespace nq {

namespace {

// The owning object sits in GWLP_USERDATA: every class that uses this base is
// ours. (A window property would cost a round trip to Wine's server for every
// message.)
WindowBase* OwnerOf(HWND hwnd) {
    return reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

} // namespace

WindowBase::~WindowBase() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

HWND WindowBase::CreateBound(DWORD exStyle, const char* className, const char* text, DWORD style,
                             int x, int y, int width, int height, HWND parent, HMENU menuOrId) {
    CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, menuOrId,
                    GetModuleHandleA(nullptr), this);
    return hwnd_;
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner =
            static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (owner) {
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
            owner->hwnd_ = hwnd;
        }
    }
    WindowBase* owner = OwnerOf(hwnd);
    if (!owner)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const LRESULT result = owner->HandleMessage(message, wParam, lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        owner->hwnd_ = nullptr;
        owner->OnWindowGone();
        return result;
    }
    return owner->HandleMessage(message, wParam, lParam);
}

} // namespace nq
