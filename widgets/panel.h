// A plain container window for the client window's panes. It paints its face
// in one of a few looks and hands its children's notifications to the pane
// that owns them.
#pragma once

#include "window_base.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace nq {

enum class PanelLook {
    Plain,       // the dialog face colour
    White,       // plain white
    Header,      // grey ramp with the window text centred on it
    WhiteSunken, // white inside a lowered one-pixel bevel
};

// Answers the notifications (WM_COMMAND, WM_NOTIFY, the WM_CTLCOLOR messages,
// owner-draw requests, WM_CONTEXTMENU) that a panel's children send to it. Nothing means "not
// mine": the panel passes the message on to its own parent.
class ChildMessageSink {
  public:
    virtual std::optional<LRESULT> OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  protected:
    ~ChildMessageSink() = default;
};

class Panel final : public WindowBase {
  public:
    static constexpr const char* kClassName = "NqPanel";

    // A visible child of parent; text is the header caption (and names the
    // panel for outside tools). The font (not owned) draws the caption.
    bool Create(HWND parent, int id, const char* text, PanelLook look,
                ChildMessageSink* sink = nullptr, HFONT font = nullptr);

    // Told of the left button's presses and releases on the panel itself, with
    // the point in the panel's client coordinates.
    using MouseHandler = std::function<void(UINT message, POINT client)>;
    void SetMouseHandler(MouseHandler handler) { onMouse_ = std::move(handler); }

    // Paints the panel instead of its look while set: the handler gets the
    // paint device context and the update rectangle. Erasing stays suppressed.
    using PaintHandler = std::function<void(HDC dc, const RECT& update)>;
    void SetPaintHandler(PaintHandler handler) { onPaint_ = std::move(handler); }

    // Colours in place of the look's own: the face in place of white (with a
    // bevel in its own shades) or of the header's grey ramp, and the header's
    // text in place of the window text colour. Nothing keeps the look's own.
    // A change asks for a repaint.
    void SetColours(std::optional<COLORREF> face, std::optional<COLORREF> text = std::nullopt);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint();

    PanelLook look_ = PanelLook::Plain;
    std::optional<COLORREF> face_, text_;
    ChildMessageSink* sink_ = nullptr;
    HFONT font_ = nullptr;
    MouseHandler onMouse_;
    PaintHandler onPaint_;
};

} // namespace nq
