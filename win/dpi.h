// The DPI Windows gives a window or a monitor. The program declares itself
// per-monitor aware in its manifest: each top-level window has the DPI of the
// monitor it is on (Windows 8.1 on; Windows 7 has one DPI for the system).
#pragma once

#include <windows.h>

namespace nq {

// The window's DPI: GetDpiForWindow where Windows has it (10, version 1607
// on), else the effective DPI of its monitor (GetDpiForMonitor, 8.1 on),
// else the system's (LOGPIXELSX of the screen). Both newer functions are
// looked up at run time, so that the program still starts on Windows 7.
int WindowDpi(HWND window);

// The DPI of the monitor that holds a screen point (the primary one when
// none does), for a window that is not yet there.
int MonitorDpiAt(POINT screen);

} // namespace nq
