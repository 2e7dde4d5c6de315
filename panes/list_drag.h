// Lets the user drag the current row of a list onto another window: a press
// on a row followed by a move past the system's drag threshold starts the
// drag; the release drops it where the host accepts it; Escape, a release
// where nothing accepts it, or a lost capture cancel it.
// However a drag ends, it ends the click that started it too: the list is
// told the button went up at the pressed row, so it stops tracking the mouse
// and reports its selection change (which lists with several selected rows
// report only then). The drop comes after that report: it acts on the row
// the list and the window both hold current.
// A list whose selected rows are dragged together keeps its selection when a
// plain press lands on one of several selected rows: the list sees the press
// only when the button goes up without a drag, as a click that selects that
// row alone.
#pragma once

#include "pane_host.h"
#include "subclass.h"

#include <windows.h>

namespace nq {

class ListDrag {
  public:
    // dragsSelection: the list drags all its selected rows (see above).
    void Attach(HWND list, DragSource source, PaneHost& host, bool dragsSelection = false);

  private:
    Subclass::Handled OnMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    // Ends a running drag and the click under it.
    void End(HWND list);

    Subclass subclass_;
    PaneHost* host_ = nullptr;
    DragSource source_ = DragSource::Fonts;
    bool dragsSelection_ = false;
    bool pressed_ = false;
    bool dragging_ = false;
    bool pressHeld_ = false; // the list has not seen the press yet
    POINT pressAt_{};
};

} // namespace nq
