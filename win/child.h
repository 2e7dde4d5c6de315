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
