// A splitter that resizes one pane of the client window: it turns the drag
// into a new pane size within the layout's limits and lays the window out
// again. It shows the skin's pane background with the grip centred on it.
#pragma once

#include "pane_host.h"
#include "splitter.h"

#include <windows.h>

namespace nq {

class PaneSplitter {
  public:
    // The size a pane takes for a proposed size (at 96 DPI), given the room
    // along the drag direction (the splitter's parent's client width or
    // height, in pixels at dpi) and the sizes.
    using Rule = int (*)(int proposed, int room, const layout::PaneSizes& sizes, int dpi);
    // Whether dragging towards the right or bottom makes the pane larger (the
    // pane lies before the bar) or smaller (the pane lies after it).
    enum class PaneSide { Before, After };

    // `repaint`, when given, is redrawn while the pane follows the mouse.
    bool Create(HWND parent, int id, const char* name, SplitterAxis axis, PaneHost& host,
                int layout::PaneSizes::*size, Rule rule, PaneSide side, HWND repaint = nullptr);
    HWND Handle() const { return splitter_.Handle(); }

  private:
    void OnDrag(SplitterPhase phase, int offset);

    Splitter splitter_;
    PaneHost* host_ = nullptr;
    int layout::PaneSizes::*size_ = nullptr;
    Rule rule_ = nullptr;
    PaneSide side_ = PaneSide::Before;
    SplitterAxis axis_ = SplitterAxis::Vertical;
    HWND repaint_ = nullptr;
    int startSize_ = 0;
};

} // namespace nq
