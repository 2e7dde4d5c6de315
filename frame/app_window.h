// The program's own window on the taskbar. The frame is five top-level
// windows, and each of them is hidden in some state (the client and the
// borders while rolled up, all of them while minimised): a taskbar button
// that belonged to one of them would come and go with it. So the button, the
// Alt+Tab entry and the taskbar's window menu belong to this window instead:
// a visible popup of no size, with the program's title and icon, that owns
// the five. Owned windows have no button of their own and are lifted to the
// top with their owner in their own order, so raising this window raises the
// frame as one, with nothing of another program between its windows.
#pragma once

#include "window_base.h"

#include <windows.h>

namespace nq {

class AppWindow final : public WindowBase {
  public:
    // What the application window asks of the frame it owns.
    class Host {
      public:
        // The program went to the taskbar: its windows go out of sight.
        virtual void ApplicationMinimized() = 0;
        // It came back from the taskbar: its windows come back in the state
        // they had.
        virtual void ApplicationRestored() = 0;
        // The window that takes the activation when the user activates the
        // program from the taskbar or Alt+Tab.
        virtual HWND WindowToActivate() const = 0;
        // Closing from the taskbar's window menu closes the program.
        virtual void CloseProgram() = 0;

      protected:
        ~Host() = default;
    };

    explicit AppWindow(Host& host) : host_(host) {}

    // Creates the window, not yet shown. False when it could not be created.
    bool Create(const char* title, HICON icon);
    // Shows the taskbar button (the window itself has no size), or takes it away.
    void ShowButton(bool shown);
    // Minimises the program to its taskbar button.
    void Minimize();
    bool Minimized() const;
    // Lifts the frame to the top of the windows, without activating anything.
    void BringToFront() const;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Hands the activation on to the window of the frame that takes it.
    void ActivateFrame();

    Host& host_;
    bool minimized_ = false;
};

} // namespace nq
