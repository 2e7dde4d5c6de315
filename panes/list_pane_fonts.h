// The fonts of a list pane (the collections pane, the fonts pane) at the
// window's DPI: its header's caption, its rows and its bar's count, and the
// rows' height.
#pragma once

#include "button_bar.h"
#include "handles.h"
#include "panel.h"

#include <windows.h>

namespace nq {

class ListPaneFonts {
  public:
    // Gives the header, the list and the bar fonts as high as at 96 DPI
    // scaled to dpi, and the list rows their height at dpi; the fonts given
    // before are let go after the windows took the new ones.
    void Apply(int dpi, Panel& header, HWND list, ButtonBar& bar);

  private:
    UniqueGdiObject header_, list_;
};

} // namespace nq
