// Moves and sizes a set of windows in one step, so that no intermediate
// arrangement is ever painted.
#pragma once

#include <windows.h>

#include <vector>

namespace nq {

struct WindowRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Collects the new bounds of windows and applies them all in Commit (or at the
// latest when it goes out of scope), without changing their Z order or
// activation. Windows must share a parent within one BeginDeferWindowPos
// batch, so Commit makes one batch per parent, in the order the parents first
// appeared.
class DeferBatch {
  public:
    DeferBatch() = default;
    DeferBatch(const DeferBatch&) = delete;
    DeferBatch& operator=(const DeferBatch&) = delete;
    ~DeferBatch() { Commit(); }

    // A null window is passed over. extraFlags adds SWP_ flags to the move
    // (SWP_NOMOVE, SWP_SHOWWINDOW, SWP_HIDEWINDOW ...).
    void Place(HWND window, const WindowRect& bounds, UINT extraFlags = 0);
    void Commit();

  private:
    struct Move {
        HWND Window;
        HWND Parent;
        WindowRect Bounds;
        UINT Flags;
    };
    std::vector<Move> moves_;
};

} // namespace nq
