#include "window_base.h"

namespace nq {

namespace {

// The property that holds the owning object; a property, so that the window
// extra bytes and GWLP_USERDATA stay free for the class itself.
constexpr const char* kOwnerProperty = "NqWindowOwner";

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
            SetPropA(hwnd, kOwnerProperty, owner);
            owner->hwnd_ = hwnd;
        }
    }
    auto* owner = static_cast<WindowBase*>(GetPropA(hwnd, kOwnerProperty));
    if (!owner)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const LRESULT result = owner->HandleMessage(message, wParam, lParam);
        RemovePropA(hwnd, kOwnerProperty);
        owner->hwnd_ = nullptr;
        owner->OnWindowGone();
        return result;
    }
    return owner->HandleMessage(message, wParam, lParam);
}

} // namespace nq
