// Watches the messages of a window created by someone else (an EDIT, a
// LISTBOX) by putting a procedure of ours in front of its own; one watcher
// per window. The watch ends when the watcher dies or the window is
// destroyed, whichever comes first.
#pragma once

#include <windows.h>

#include <functional>

namespace nq {

// A window's procedure, got, set and called with the calls of the window's own
// character set: a UTF-16 control handled through the ANSI calls would see its
// texts cut to the ANSI code page.
LONG_PTR GetProc(HWND window);
LONG_PTR SetProc(HWND window, LONG_PTR proc); // the previous procedure; 0 on failure
LRESULT CallProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

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

    // Watches window with handler; false when it could not, or when another
    // watcher watches it already.
    bool Attach(HWND window, Handler handler);
    void Detach();
    HWND Window() const { return window_; }

    // Passes a message to the window's own procedure, for a handler that
    // needs its result first (it then answers the message itself).
    static LRESULT CallPrevious(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    Handler handler_;
};

} // namespace nq
