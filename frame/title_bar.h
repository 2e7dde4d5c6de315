// The title bar above the client window: the skin's title images with the
// caption and the four window buttons over them. It moves the frame while it
// is dragged and opens the skin menu on a right click away from its buttons.
#pragma once

#include "edge_window.h"
#include "skin_values.h"

#include <array>

namespace nq {

class TfrmTop final : public EdgeWindow {
  public:
    // The text of the caption, whatever the skin.
    static constexpr const wchar_t* kCaption = L"Quillbox";

    explicit TfrmTop(FrameHost& host) : EdgeWindow(host, "TfrmTop", CS_DBLCLKS) {}

    // Lets go of the 12 button images held and loads them again from the
    // skin folder for the frame's DPI: the client window calls it on every
    // skin load and DPI change. A missing image leaves its button undrawn and
    // never hit.
    void LoadButtonImages();

    // The opacity of the whole title bar, on top of its pixels' alpha, from
    // the next composition on.
    void SetTitleAlpha(BYTE alpha) { titleAlpha_ = alpha; }
    BYTE TitleAlpha() const { return titleAlpha_; }
    // Whether the application was active when the title bar was last
    // composed: the buttons show their inactive images otherwise.
    bool ShownActive() const { return shownActive_; }
    // The button the pointer was last seen over: 0 none, 1 Close, 2 Min,
    // 3 Max, 4 Roll.
    int HoverButton() const { return hoverButton_; }

    // The drag: a press away from the buttons arms it and sets DragAnchor, the
    // first move then starts Timer1, whose ticks move the frame by the
    // pointer's movement since DragAnchor.
    bool DragArmed() const { return dragArmed_; }
    POINT DragAnchor() const { return dragAnchor_; }
    const PollTimer& Timer1() const { return timer1_; }
    // A press on the client window's toolbar records where the pointer was.
    void SetDragAnchor(POINT screen) { dragAnchor_ = screen; }
    // The toolbar's release ends a drag that runs.
    void StopDrag() { timer1_.Stop(); }
    // One drag step: a pointer that has moved from DragAnchor moves the frame
    // by as much, and DragAnchor follows it.
    void Timer1Timer();

    // The image a button is drawn from while active and hit-tested by: Close,
    // Min and Max show their pointer-over images while the pointer is over any
    // button, Roll only while it is over Roll. Empty when it is missing.
    const SkinImage& ButtonImage(TitleButton button) const;
    // The button hit at (x, y) in title bar coordinates, as HoverButton counts
    // them: placed against the reference width (the client width with the
    // active border widths) and hit only on the non-transparent pixels of its
    // image as shown at the frame's DPI, strictly inside it. The first of
    // Close, Min, Max, Roll wins.
    int ButtonAt(int x, int y) const;

  private:
    struct ButtonImages {
        SkinImage Inactive, Normal, Over;
    };

    std::string StatePrefix() const override;
    BYTE ConstantAlpha() const override { return titleAlpha_; }
    void PaintContent(Gdiplus::GpGraphics* graphics, int width, int height,
                      const std::string& prefix) override;
    void PaintCaption(Gdiplus::GpGraphics* graphics, int width, int height, FrameState state) const;
    void PaintButtons(Gdiplus::GpGraphics* graphics, int width, FrameState state) const;
    // Composes the title bar again for a new pointed-at button.
    void RenderForHover();

    void FormMouseDown(MouseButton button, int x, int y) override;
    void FormMouseMove(int x, int y) override;
    void FormMouseUp(MouseButton button, int x, int y) override;
    void FormDblClick() override;
    // Without the button held no drag goes on, nor starts at the next move.
    void OnCaptureLost() override {
        timer1_.Stop();
        dragArmed_ = false;
    }
    void OnPollTimer(UINT_PTR id) override;

    std::array<ButtonImages, kTitleButtonCount> images_;
    BYTE titleAlpha_ = 255;
    bool shownActive_ = true;
    int hoverButton_ = 0;
    bool dragArmed_ = false;
    POINT dragAnchor_{};
    PollTimer timer1_{*this, 1};
};

} // namespace nq
