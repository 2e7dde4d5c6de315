// The base of the four edge windows around the client window: a borderless
// layered popup that shows one composed 32-bit image with per-pixel alpha,
// recomposes itself when its size changes, and polls the pointer with a 1 ms
// timer while the user drags or resizes the frame.
#pragma once

#include "background.h"
#include "dib.h"
#include "frame_host.h"
#include "gdiplus_raii.h"
#include "window_base.h"

#include <windows.h>

#include <string>

namespace nq {

// A window timer of 1 ms on one window: as often as the system delivers
// WM_TIMER. Killed when it goes out of scope.
class PollTimer {
  public:
    PollTimer(const WindowBase& window, UINT_PTR id) : window_(window), id_(id) {}
    PollTimer(const PollTimer&) = delete;
    PollTimer& operator=(const PollTimer&) = delete;
    ~PollTimer() { Stop(); }

    // Starts the timer unless it runs (a running timer keeps its schedule).
    void Start();
    void Stop();
    bool Running() const { return running_; }
    UINT_PTR Id() const { return id_; }

  private:
    const WindowBase& window_;
    UINT_PTR id_;
    bool running_ = false;
};

// A brush that repeats image from the surface's origin in both directions,
// each copy stretched across by stretchX and down by stretchY; empty for an
// image without pixels (a missing one), which leaves its area transparent.
GdipBrushPtr TiledBrush(Gdiplus::GpImage* image, float stretchX, float stretchY = 1.0f);

// Which mouse button a press or release came from.
enum class MouseButton { Left, Right, Middle };

// An edge window is an ordinary borderless popup, owned like the client window
// by the program's taskbar window (none of the five owns another, so none sits
// above another by ownership or dies with it). It has no taskbar button, and
// every request to close, minimise or place it by the window system's means
// goes to the whole frame.
class EdgeWindow : public WindowBase {
  public:
    // The window's class: "TfrmTop", "TfrmLeft", "TfrmRight" or "TfrmBottom".
    const char* ClassName() const { return className_; }

    // Creates the window hidden, 0 x 0 at the screen's origin, not yet
    // layered, owned by owner (none: a window of its own).
    bool Create(HWND owner = nullptr);

    // Composes the window's image at width x height for the frame's present
    // state and pushes it with its constant opacity: the window keeps its
    // top-left corner and takes that size. The window becomes layered. A width
    // or height of 0 or less gives an empty window of that size (at least 0).
    void RenderEdge(int width, int height);

    // The image the last RenderEdge pushed, premultiplied 0xAARRGGBB; empty
    // when that one had no pixels.
    const ArgbDib& LastComposition() const { return composition_; }
    // The constant opacity that push was made with.
    BYTE LastPushAlpha() const { return pushedAlpha_; }
    // How many images the window has composed since it was created.
    int CompositionCount() const { return compositions_; }
    // True only while RenderEdge gives the window its size: a size change that
    // comes back then is the composition's own and composes nothing.
    bool Updating() const { return updating_; }

  protected:
    EdgeWindow(FrameHost& host, const char* className, UINT classStyle = 0);

    FrameHost& Host() const { return host_; }

    // The prefix of the window's image files in the present state: the border
    // windows have "" and "inactive_"; the title bar also the rolled-up forms.
    virtual std::string StatePrefix() const;
    // Draws the content on a transparent width x height surface (both > 0).
    virtual void PaintContent(Gdiplus::GpGraphics* graphics, int width, int height,
                              const std::string& prefix) = 0;
    // The opacity of the whole window, on top of the per-pixel alpha.
    virtual BYTE ConstantAlpha() const { return 255; }
    // The skin's image SkinPath + prefix + name for the frame's DPI (its
    // double-size form from 150 % on, where the skin has one); empty when it
    // cannot be read.
    SkinImage EdgeImage(const std::string& prefix, const char* name) const;

    // The window's mouse events, with (x, y) in window coordinates. The window
    // holds the mouse from a press to the release.
    virtual void FormMouseDown(MouseButton, int /*x*/, int /*y*/) {}
    virtual void FormMouseMove(int /*x*/, int /*y*/) {}
    virtual void FormMouseUp(MouseButton, int /*x*/, int /*y*/) {}
    virtual void FormDblClick() {}
    // The press is over without a release here (the release's own end of the
    // hold comes first too): whatever follows the pointer stops, or it would
    // go on with no button held.
    virtual void OnCaptureLost() {}
    // One tick of the poll timer id.
    virtual void OnPollTimer(UINT_PTR /*id*/) {}
    // The mouse cursor over (x, y): one of the system's IDC_ values.
    virtual LPCSTR CursorAt(int /*x*/, int /*y*/) const { return IDC_ARROW; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // The window is about to take the size and place of change: a size other
    // than the one composed last is composed, at the new place, before the
    // change shows. The change itself always goes ahead.
    void FormCanResize(const WINDOWPOS& change);
    void Compose(int width, int height, const POINT* destination);
    void Push(int width, int height, const POINT* destination);

    FrameHost& host_;
    const char* className_;
    UINT classStyle_;
    ArgbDib composition_;
    int composedWidth_ = 0;
    int composedHeight_ = 0;
    int compositions_ = 0;
    BYTE pushedAlpha_ = 255;
    bool updating_ = false;
};

} // namespace nq
