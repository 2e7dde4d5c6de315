// Watches the messages of a window created by someone else (an EDIT, a
// LISTBOX) through the common controls' subclass chain. The subclass is
// removed when the watcher dies or the window is destroyed, whichever comes
// first.
#pragma once

#include <windows.h>

#include <functional>

namespace nq {

class Subclass {
  public:
    // Returns the message's result when it handled the message; nothing passes
    // it on to the window's own procedure.
    struct Handled {
        bool Done = false;
        LRESULT Result = 0;
    };
    using Handler = std::function<Handled(HWND, UINT, WPARAM, LPARAM)>;

    Subclass() = default;
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;
    ~Subclass() { Detach(); }

    // Watches window with handler; false when the subclass could not be set.
    bool Attach(HWND window, Handler handler);
    void Detach();
    HWND Window() const { return window_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    HWND window_ = nullptr;
    Handler handler_;
};

} // namespace nq
