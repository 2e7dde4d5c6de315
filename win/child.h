// Creates a child control of a system class (EDIT, LISTBOX, COMBOBOX, BUTTON,
// STATIC) with its control ID, at no size: the layout places it.
#pragma once

#include <windows.h>

namespace nq {

// WS_CHILD is added to style; font, when given, is set without a redraw.
HWND CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle, HWND parent,
                 int id, HGDIOBJ font = nullptr);

} // namespace nq

namespace nq {

// The window below root (at any depth) whose control ID is id; null when none.
HWND FindDescendant(HWND root, int id);

} // namespace nq

namespace nq {

// The size of window's client area.
SIZE ClientSize(HWND window);

// The top-left corner of window's client area in the client coordinates of origin.
POINT OffsetIn(HWND window, HWND origin);

} // namespace nq
