// Puts a control at its place of the pane layout within a positioning batch.
#pragma once

#include "defer_pos.h"
#include "pane_layout.h"

namespace nq {

inline void Place(DeferBatch& batch, HWND window, const layout::Rect& r) {
    batch.Place(window, WindowRect{r.Left, r.Top, r.Width, r.Height});
}

} // namespace nq
