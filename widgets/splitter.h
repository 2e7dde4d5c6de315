// A thin bar between two panes that the user drags to resize one of them.
#pragma once

#include "window_base.h"

#include <windows.h>

#include <functional>

namespace nq {

enum class SplitterAxis { Vertical, Horizontal }; // the bar's direction
enum class SplitterPhase { DragStart, DragMove, DragEnd };

class Splitter final : public WindowBase {
  public:
    static constexpr const char* kClassName = "NqSplitter";
    // Called while the bar is dragged with the left mouse button, with the
    // cursor's movement along the drag direction since the press, in pixels
    // (right or down positive).
    using DragHandler = std::function<void(SplitterPhase, int offset)>;

    bool Create(HWND parent, int id, const char* name, SplitterAxis axis, DragHandler onDrag);

    // Paints the bar instead of the dialog face colour while set (the skin's
    // background and grip); erasing stays suppressed.
    using PaintHandler = std::function<void(HDC dc)>;
    void SetPaintHandler(PaintHandler handler) { onPaint_ = std::move(handler); }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int DragOffset() const;

    SplitterAxis axis_ = SplitterAxis::Vertical;
    DragHandler onDrag_;
    PaintHandler onPaint_;
    POINT press_{};
};

} // namespace nq
