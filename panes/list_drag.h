// Lets the user drag the current row of a list onto another window: a press
// on a row followed by a move past the system's drag threshold starts the
// drag; the release drops it where the host accepts it; Escape, a release
// where nothing accepts it, or a lost capture cancel it.
#pragma once

#include "pane_host.h"
#include "subclass.h"

#include <windows.h>

namespace nq {

class ListDrag {
  public:
    void Attach(HWND list, DragSource source, PaneHost& host);
    // While a drag ends, the list is told the button went up at the pressed
    // row so that it stops tracking the mouse; the selection notification that
    // follows is no new choice of the user.
    bool Ending() const { return ending_; }

  private:
    Subclass::Handled OnMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    void End(HWND list);

    Subclass subclass_;
    PaneHost* host_ = nullptr;
    DragSource source_ = DragSource::Fonts;
    bool pressed_ = false;
    bool dragging_ = false;
    bool ending_ = false;
    POINT pressAt_{};
};

} // namespace nq
