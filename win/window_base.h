// A small base for our own window classes: one entry function finds the C++
// object that owns the window, and the object forgets the window when it dies.
#pragma once

#include <windows.h>

namespace nq {

class WindowBase {
  public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    // Destroys the window if it still exists.
    virtual ~WindowBase();

    HWND Handle() const { return hwnd_; }

  protected:
    // Creates a window of a class registered with WindowBase::Procedure as its
    // window procedure; `this` is bound to it from WM_NCCREATE on. Null on
    // failure.
    HWND CreateBound(DWORD exStyle, const char* className, const char* text, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menuOrId);

    // Everything after WM_NCCREATE; the default is DefWindowProcA.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window is gone (after WM_NCDESTROY); Handle() is null then.
    virtual void OnWindowGone() {}

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    HWND hwnd_ = nullptr;
};

} // namespace nq
