// A tooltip control over areas of other windows: each tool is a rectangle of
// one window with its text, shown when the mouse rests there.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

namespace nq {

class Tooltip {
  public:
    Tooltip() = default;
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;
    // Destroys the control if it still exists (an owner's destruction takes
    // it along first).
    ~Tooltip();

    // Creates the control, owned by owner: it shows while the owner's
    // application is active or not, and long texts wrap. False when it could
    // not be made.
    bool Create(HWND owner);
    HWND Handle() const { return hwnd_; }
    // Long texts wrap at a width that grows with the owner's DPI.
    void SetDpi(int dpi);

    // Tool id of window covers area (in window's client coordinates) and shows
    // text. The first call for a tool adds it; later calls change only what
    // changed. An empty area (or an empty text) shows nothing.
    void Set(HWND window, UINT id, const RECT& area, const std::string& text);

  private:
    struct Tool {
        RECT Area;
        std::string Text;
    };

    HWND hwnd_ = nullptr;
    std::map<std::pair<HWND, UINT>, Tool> tools_;
};

} // namespace nq
