// The program's own window messages, numbered in one place so that no two
// mean different things to one window.
#pragma once

#include <windows.h>

namespace nq::msg {

// Reserved for the drag of a list row onto another window (moving and
// trashing fonts); WM_APP + 1 was the splitter's, which now calls its owner.
constexpr UINT kFirst = WM_APP + 1;

} // namespace nq::msg
