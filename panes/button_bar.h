// A pane's button bar: an add button and an on/off button drawn from the
// skin over the pane area's background, pressed where their images are
// opaque and acting on the release; the fonts bar also counts the fonts.
#pragma once

#include "bar_rules.h"
#include "client_skin.h"
#include "ffpbox.h"
#include "handles.h"
#include "tooltip.h"

#include <windows.h>

#include <optional>
#include <string>

namespace nq {

class ButtonBar {
  public:
    // The pane that holds the bar decides what it shows and what it does.
    class Owner {
      public:
        // The add image to draw, and whether a press can press it.
        virtual const char* AddImage(const bars::Pressed& pressed) const = 0;
        virtual bool AddAvailable() const = 0;
        // The on/off image to draw; null while the bar shows none.
        virtual const char* ToggleImage(const bars::Pressed& pressed) const = 0;
        // What the two buttons say when the mouse rests on them.
        virtual const char* AddTip() const = 0;
        virtual const char* ToggleTip() const = 0;
        // The count at the bar's right end, if the bar shows one.
        virtual std::optional<std::string> CountText() const = 0;
        virtual void AddAction() = 0;
        virtual void ToggleAction() = 0;

      protected:
        ~Owner() = default;
    };

    // pressed is shared by both bars; paneArea is the window whose background
    // the bar continues; tips shows what the buttons do.
    bool Create(HWND parent, int id, const char* name, Owner& owner, const ClientSkin& skin,
                bars::Pressed& pressed, HWND paneArea, Tooltip& tips);
    HWND Handle() const { return box_.Handle(); }
    // A repaint for new state: the buttons' tips follow it at once.
    void Invalidate() const;
    // The count's font for the window's DPI (after creation and when it changes).
    void ApplyDpi(int dpi);

    // The paint and the mouse (pb2Paint, pb2MouseDown, pb2MouseUp for the fonts
    // bar; pb4... for the collections bar).
    void Paint(HDC canvas);
    void MouseDown(POINT at);
    void MouseUp(POINT at);

  private:
    // The tips cover the buttons as they are drawn now, with their texts.
    void UpdateTips() const;

    Owner* owner_ = nullptr;
    Tooltip* tips_ = nullptr;
    const ClientSkin* skin_ = nullptr;
    bars::Pressed* pressed_ = nullptr;
    HWND paneArea_ = nullptr;
    UniqueGdiObject font_;
    TFlickerFreePaintBox box_;
};

} // namespace nq
