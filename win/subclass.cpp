#include "subclass.h"

#include <commctrl.h>

namespace nq {

bool Subclass::Attach(HWND window, Handler handler) {
    Detach();
    handler_ = std::move(handler);
    if (!window || !SetWindowSubclass(window, Procedure, reinterpret_cast<UINT_PTR>(this),
                                      reinterpret_cast<DWORD_PTR>(this)))
        return false;
    window_ = window;
    return true;
}

void Subclass::Detach() {
    if (window_)
        RemoveWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this));
    window_ = nullptr;
}

LRESULT CALLBACK Subclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR selfData) {
    auto* self = reinterpret_cast<Subclass*>(selfData);
    if (message == WM_NCDESTROY) {
        self->Detach();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    if (self->handler_) {
        const Handled handled = self->handler_(window, message, wParam, lParam);
        if (handled.Done)
            return handled.Result;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace nq
