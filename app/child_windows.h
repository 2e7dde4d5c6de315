// The client window's own child window classes: panels that hold controls,
// and splitters that resize the panes.
#pragma once

#include <windows.h>

namespace child_windows {

inline constexpr const char* kPanelClass = "NqPanel";
inline constexpr const char* kSplitterClass = "NqSplitter";

enum class PanelLook {
    Plain,       // the dialog face colour
    White,       // plain white
    Header,      // grey ramp with the window text centred on it
    WhiteSunken, // white inside a lowered one-pixel bevel
};

enum class SplitterAxis { Vertical, Horizontal }; // the bar's direction

// Sent to the top-level window while a splitter is dragged with the left
// mouse button: wParam = MAKEWPARAM(splitter's control ID, SplitterPhase),
// lParam = the cursor's movement along the drag direction since the press,
// in pixels (right or down positive).
constexpr UINT kSplitterMessage = WM_APP + 1;
enum SplitterPhase : WORD { DragStart, DragMove, DragEnd };

// Registers both classes once per process.
void RegisterClasses(HINSTANCE instance);

// A panel forwards its children's notifications (WM_COMMAND, WM_NOTIFY, the
// WM_CTLCOLOR messages, owner-draw requests) to the top-level window. Its font
// (WM_SETFONT) draws the header caption.
HWND CreatePanel(HWND parent, int id, const char* text, PanelLook look);
HWND CreateSplitter(HWND parent, int id, const char* name, SplitterAxis axis);

} // namespace child_windows
