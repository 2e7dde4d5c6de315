#include "subclass.h"

#include <unordered_map>

namespace nq {

namespace {

// What is known of a watched window: the watcher (none after it let go of a
// window whose procedure it could not restore) and the procedure ours passes
// messages on to. Kept in the process: window properties, which the common
// controls' subclassing keeps its data in, are fetched from Wine's server
// for every message.
struct Watched {
    Subclass* Watcher = nullptr;
    WNDPROC Previous = nullptr;
};
std::unordered_map<HWND, Watched>& WatchedWindows() {
    static std::unordered_map<HWND, Watched> windows; // the UI thread's alone
    return windows;
}

LONG_PTR ProcValue(WNDPROC proc) {
    return reinterpret_cast<LONG_PTR>(proc);
}

} // namespace

LONG_PTR GetProc(HWND window) {
    return IsWindowUnicode(window) ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                   : GetWindowLongPtrA(window, GWLP_WNDPROC);
}

LONG_PTR SetProc(HWND window, LONG_PTR proc) {
    return IsWindowUnicode(window) ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                   : SetWindowLongPtrA(window, GWLP_WNDPROC, proc);
}

LRESULT CallProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? CallWindowProcW(proc, window, message, wParam, lParam)
                                   : CallWindowProcA(proc, window, message, wParam, lParam);
}

LRESULT DefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                   : DefWindowProcA(window, message, wParam, lParam);
}

bool Subclass::Attach(HWND window, Handler handler) {
    Detach();
    handler_ = std::move(handler);
    if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return false;
    const auto found = WatchedWindows().find(window);
    if (found != WatchedWindows().end()) {
        if (found->second.Watcher) // one watcher per window
            return false;
        found->second.Watcher = this; // our procedure is still in the chain
        window_ = window;
        return true;
    }
    const LONG_PTR previous = GetProc(window);
    if (!previous)
        return false;
    WatchedWindows()[window] = Watched{this, reinterpret_cast<WNDPROC>(previous)};
    if (!SetProc(window, ProcValue(&Procedure))) {
        WatchedWindows().erase(window);
        return false;
    }
    window_ = window;
    return true;
}

void Subclass::Detach() {
    if (!window_)
        return;
    const auto found = WatchedWindows().find(window_);
    window_ = nullptr;
    if (found == WatchedWindows().end())
        return;
    found->second.Watcher = nullptr;
    // A procedure installed after ours calls ours as its previous one: it stays
    // in the chain then, passing every message on.
    if (GetProc(found->first) != ProcValue(&Procedure))
        return;
    SetProc(found->first, ProcValue(found->second.Previous));
    WatchedWindows().erase(found);
}

LRESULT Subclass::CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = WatchedWindows().find(window);
    if (found == WatchedWindows().end() || !found->second.Previous)
        return DefaultProc(window, message, wParam, lParam);
    return CallProc(found->second.Previous, window, message, wParam, lParam);
}

LRESULT CALLBACK Subclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = WatchedWindows().find(window);
    if (found == WatchedWindows().end())
        return DefaultProc(window, message, wParam, lParam);
    Subclass* watcher = found->second.Watcher;
    const WNDPROC previous = found->second.Previous;
    if (message == WM_NCDESTROY) {
        // The window's last message: nothing of ours may outlive it.
        if (watcher)
            watcher->Detach();
        else if (GetProc(window) == ProcValue(&Procedure))
            SetProc(window, ProcValue(previous));
        WatchedWindows().erase(window);
        return CallProc(previous, window, message, wParam, lParam);
    }
    if (watcher && watcher->handler_) {
        const Handled handled = watcher->handler_(window, message, wParam, lParam);
        if (handled.Done)
            return handled.Result;
    }
    return CallProc(previous, window, message, wParam, lParam);
}

} // namespace nq
