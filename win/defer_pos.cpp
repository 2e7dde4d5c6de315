#include "defer_pos.h"

#include <algorithm>

namespace nq {

void DeferBatch::Place(HWND window, const WindowRect& bounds, UINT extraFlags) {
    if (window)
        moves_.push_back({window, GetAncestor(window, GA_PARENT), bounds, extraFlags});
}

void DeferBatch::Commit() {
    std::vector<HWND> parents;
    for (const Move& m : moves_)
        if (std::find(parents.begin(), parents.end(), m.Parent) == parents.end())
            parents.push_back(m.Parent);
    constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    for (HWND parent : parents) {
        const auto count = std::count_if(moves_.begin(), moves_.end(),
                                         [parent](const Move& m) { return m.Parent == parent; });
        HDWP batch = BeginDeferWindowPos(static_cast<int>(count));
        for (const Move& m : moves_) {
            const WindowRect& r = m.Bounds;
            if (batch && m.Parent == parent)
                batch = DeferWindowPos(batch, m.Window, nullptr, r.Left, r.Top, r.Width, r.Height,
                                       kFlags | m.Flags);
        }
        if (batch && EndDeferWindowPos(batch))
            continue;
        // No memory for the batch: one window at a time still gets there.
        for (const Move& m : moves_) {
            const WindowRect& r = m.Bounds;
            if (m.Parent == parent)
                SetWindowPos(m.Window, nullptr, r.Left, r.Top, r.Width, r.Height, kFlags | m.Flags);
        }
    }
    moves_.clear();
}

} // namespace nq
