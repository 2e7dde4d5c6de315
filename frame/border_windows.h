// The three border windows: the bottom border below the client window and the
// two side borders beside it. Each is drawn from the skin's border images and
// resizes the client window while a press in its resize zone is held.
#pragma once

#include "edge_window.h"
#include "frame_geometry.h"

namespace nq {

// The bottom border: "bottom.png" stretched to the border's width and repeated
// downward. A press in its rows ResizeBorder1 < y < ResizeBorder2 makes the
// client follow the pointer up and down.
class TfrmBottom final : public EdgeWindow {
  public:
    explicit TfrmBottom(FrameHost& host) : EdgeWindow(host, "TfrmBottom") {}

    // One resize step: the client's height grows by the pointer's vertical
    // movement since the last step (ResizeAnchor), through ArrangeFrame.
    void Timer1Timer();
    const PollTimer& Timer1() const { return timer1_; }
    POINT ResizeAnchor() const { return resizeAnchor_; }

  private:
    void PaintContent(Gdiplus::GpGraphics* graphics, int width, int height,
                      const std::string& prefix) override;
    frame::ResizeKind ZoneAt(int y) const;
    void FormMouseDown(MouseButton button, int x, int y) override;
    void FormMouseUp(MouseButton button, int x, int y) override;
    void OnCaptureLost() override { timer1_.Stop(); }
    void OnPollTimer(UINT_PTR id) override;
    LPCSTR CursorAt(int x, int y) const override;

    PollTimer timer1_{*this, 1};
    POINT resizeAnchor_{};
};

// The left border: "left_bottom.png" at the bottom, "left_middle.png" repeated
// above it. A press in its columns ResizeBorder1 < x < ResizeBorder2 moves the
// client's left edge with the pointer.
class TfrmLeft final : public EdgeWindow {
  public:
    explicit TfrmLeft(FrameHost& host) : EdgeWindow(host, "TfrmLeft") {}

    // One resize step: the client's left edge moves by the pointer's
    // horizontal movement since the last step, its right edge stays.
    void Timer1Timer();
    const PollTimer& Timer1() const { return timer1_; }
    POINT ResizeAnchor() const { return resizeAnchor_; }

  private:
    void PaintContent(Gdiplus::GpGraphics* graphics, int width, int height,
                      const std::string& prefix) override;
    frame::ResizeKind ZoneAt(int x) const;
    void FormMouseDown(MouseButton button, int x, int y) override;
    void FormMouseUp(MouseButton button, int x, int y) override;
    void OnCaptureLost() override { timer1_.Stop(); }
    void OnPollTimer(UINT_PTR id) override;
    LPCSTR CursorAt(int x, int y) const override;

    PollTimer timer1_{*this, 1};
    POINT resizeAnchor_{};
};

// The right border: "right_bottom.png" and "right_middle.png" as the left
// border has its own. In its columns ResizeBorder1 < x < ResizeBorder2 a press
// resizes the client's width (Timer1), in the corner rows there (ResizeBorder3
// and ResizeBorder4 from the bottom edge) its width and height (Timer2).
class TfrmRight final : public EdgeWindow {
  public:
    explicit TfrmRight(FrameHost& host) : EdgeWindow(host, "TfrmRight") {}

    // Resize steps: the width follows the pointer across (Timer1); both the
    // width and the height follow it (Timer2).
    void Timer1Timer();
    void Timer2Timer();
    const PollTimer& Timer1() const { return timer1_; }
    const PollTimer& Timer2() const { return timer2_; }
    POINT ResizeAnchor() const { return resizeAnchor_; }

  private:
    void PaintContent(Gdiplus::GpGraphics* graphics, int width, int height,
                      const std::string& prefix) override;
    frame::ResizeKind ZoneAt(int x, int y) const;
    void FormMouseDown(MouseButton button, int x, int y) override;
    void FormMouseUp(MouseButton button, int x, int y) override;
    void OnCaptureLost() override;
    void OnPollTimer(UINT_PTR id) override;
    LPCSTR CursorAt(int x, int y) const override;

    PollTimer timer1_{*this, 1};
    PollTimer timer2_{*this, 2};
    POINT resizeAnchor_{};
};

} // namespace nq
