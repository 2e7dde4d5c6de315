// Which command a key runs, by the control that holds the keyboard focus.
// Portable: no Windows calls; the caller reads the key and the modifiers.
#pragma once

#include "commands.h"

namespace nq {

// Where the focus is: one of the two lists, the search box, or any other
// control of the client window.
enum class KeyPlace { Folders, Fonts, Search, Other };

struct KeyStroke {
    unsigned VirtualKey = 0; // VK_ code
    bool Ctrl = false;
    bool Shift = false;
    bool Alt = false;
};

// The command of a key pressed in place; Command::None leaves the key to the
// control (typing, the lists' own arrows and Shift+arrows, Alt+F4).
Command KeyCommand(const KeyStroke& key, KeyPlace place);

} // namespace nq
