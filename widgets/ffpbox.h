// TFlickerFreePaintBox: a child window with no drawing of its own. Its owner
// draws it in OnPaint, onto an off-screen canvas of the box's size that is
// filled with Color first; the finished canvas reaches the screen in one copy,
// so a repaint never shows a half-drawn or erased state.
#pragma once

#include "window_base.h"

#include <windows.h>

#include <functional>

namespace nq {

class TFlickerFreePaintBox final : public WindowBase {
  public:
    static constexpr const char* kClassName = "NqFlickerFreePaintBox";

    // Draws the box onto canvas, a memory device context of exactly the box's
    // client size, filled with Color, with Font selected, the background
    // colour and the DC brush set to Color, black text. The handler may throw:
    // see Paint.
    using PaintEvent = std::function<void(TFlickerFreePaintBox& sender, HDC canvas)>;
    // A press or release of the left or right button: message is the
    // WM_xBUTTONDOWN or WM_xBUTTONUP received, client the point in the box's
    // client coordinates (negative or beyond the size when a release happens
    // outside the box).
    using MouseEvent =
        std::function<void(TFlickerFreePaintBox& sender, UINT message, POINT client)>;

    // A visible child of parent, 0 x 0 until it is placed; name is the window
    // text (for outside tools; the box never shows it). The box is no tab
    // stop and never takes the keyboard focus by tabbing. False when the
    // window could not be made.
    bool Create(HWND parent, int id, const char* name);

    // The colour the canvas is filled with before OnPaint; the system window
    // colour until set. Setting it asks for a repaint.
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color);
    // The font selected into the canvas (not owned, must outlive the box or
    // the next SetFont); null leaves the canvas its stock font. Setting it
    // asks for a repaint. WM_SETFONT and WM_GETFONT reach the same value.
    HFONT Font() const { return font_; }
    void SetFont(HFONT font);

    // Asks for a paint of the whole box at the next WM_PAINT...
    void Invalidate() const;
    // ... or at once, before returning.
    void Repaint() const;

    // One paint onto target (the box's own device context in WM_PAINT): the
    // canvas is built, OnPaint draws it, and one BitBlt copies it to target
    // at (0, 0). Without OnPaint, or with a zero width or height, nothing is
    // drawn and OnPaint is not called. The canvas is freed in every case; an
    // exception from OnPaint leaves through here after that, and nothing
    // reaches target then.
    void Paint(HDC target);

    PaintEvent OnPaint;
    // A press takes the mouse capture, so the matching release reaches the
    // box wherever it happens; the capture is given back before OnMouseUp
    // runs (the handler may open a modal dialog). Neither handler may throw:
    // they run inside the window procedure.
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PaintFromWindowProcedure(HDC target);

    COLORREF color_ = GetSysColor(COLOR_WINDOW);
    HFONT font_ = nullptr;
};

} // namespace nq
