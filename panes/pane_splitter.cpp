#include "pane_splitter.h"

#include "client_skin.h"

namespace nq {

bool PaneSplitter::Create(HWND parent, int id, const char* name, SplitterAxis axis, PaneHost& host,
                          int layout::PaneSizes::*size, Rule rule, PaneSide side, HWND repaint) {
    host_ = &host;
    size_ = size;
    rule_ = rule;
    side_ = side;
    axis_ = axis;
    repaint_ = repaint;
    splitter_.SetPaintHandler(
        [this](HDC dc) { host_->Skin().PaintSplitter(splitter_.Handle(), dc); });
    return splitter_.Create(parent, id, name, axis,
                            [this](SplitterPhase phase, int offset) { OnDrag(phase, offset); });
}

void PaneSplitter::OnDrag(SplitterPhase phase, int offset) {
    if (phase == SplitterPhase::DragStart) {
        host_->TakeLaidOutSizes();
        startSize_ = host_->MutablePaneSizes().*size_;
        return;
    }
    layout::PaneSizes& sizes = host_->MutablePaneSizes();
    int& size = sizes.*size_;
    RECT room{};
    GetClientRect(GetParent(splitter_.Handle()), &room);
    const int along = axis_ == SplitterAxis::Vertical ? room.right : room.bottom;
    // The pointer moves in pixels; the pane sizes are kept at 96 DPI.
    const int dpi = host_->Dpi();
    const int moved = Unscaled(offset, dpi);
    const int proposed = side_ == PaneSide::Before ? startSize_ + moved : startSize_ - moved;
    const int resized = rule_(proposed, along, sizes, dpi);
    if (resized != size) {
        size = resized;
        host_->ApplyLayout();
    }
    // The list redraws while the pane follows the mouse and once more at the end.
    if (repaint_)
        InvalidateRect(repaint_, nullptr, TRUE);
}

} // namespace nq
