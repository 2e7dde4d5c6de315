// What the edge windows ask of the client window they surround. TfrmMiddle
// implements it; an edge window knows nothing else of it.
#pragma once

#include "frame_geometry.h"
#include "skin_values.h"

#include <windows.h>

#include <string>

namespace nq {

class EdgeWindow;

class FrameHost {
  public:
    // The client window's bounds on the screen.
    virtual frame::Rect ClientBounds() const = 0;
    virtual bool Active() const = 0;
    virtual bool RolledUp() const = 0;
    // SkinPath: the skin folder with a trailing backslash.
    virtual std::string SkinPath() const = 0;
    // The frame's DPI: the client window's. The four edge windows draw at it.
    virtual int Dpi() const = 0;
    // The skin's values as LoadSkin read them last, in pixels at Dpi()
    // (frame::ScaledSkinValues).
    virtual const SkinValues& SkinValues() const = 0;
    // LeftWidth, RightWidth, TopHeight, BottomHeight of the present state.
    virtual frame::EdgeSizes Edges() const = 0;

    // Part of the frame's operations the edge windows start.
    virtual void ArrangeFrame(int x, int y, int width, int height) = 0;
    virtual void RenderFrame(int width, int height) = 0;
    virtual void MoveFrame(int dx, int dy) = 0;
    virtual void SetRolledUp(bool rolledUp) = 0;
    // The title bar's buttons (and Alt+F4 on any window of the frame): close
    // the program, minimise it.
    virtual void CloseProgram() = 0;
    virtual void MinimizeProgram() = 0;
    // One window of the frame was brought to the top: the others join it.
    virtual void BringFrameToFront() = 0;
    // A command of the window system's own (WM_SYSCOMMAND, SC_ value) for one
    // window of the frame: minimising, restoring, moving or sizing it alone
    // would tear the frame apart, so the frame takes these; true when it did.
    virtual bool FrameSysCommand(UINT command) = 0;
    // The skin menu at a screen point (a right release on the title bar).
    virtual void PopupSkinMenu(POINT screen) = 0;
    // Windows moved an edge window onto a monitor of another DPI (dpi). The
    // frame follows the client window's DPI; while the client is hidden
    // (rolled up) the title bar is what the user moves, and its DPI counts.
    virtual void EdgeDpiChanged(const EdgeWindow& edge, int dpi) = 0;

  protected:
    ~FrameHost() = default;
};

} // namespace nq
