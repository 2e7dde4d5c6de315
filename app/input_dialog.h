// A modal dialog asking for one line of text: a prompt above an edit box, OK
// and Cancel.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace input_dialog {

// Control IDs inside the dialog (OK and Cancel are IDOK and IDCANCEL).
constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// Shows the dialog owned by owner (may be null) with the initial text selected;
// the entered text when the user confirms with OK or Enter, nothing on Cancel,
// Escape or the close box.
std::optional<std::string> Run(HWND owner, const std::string& caption, const std::string& prompt,
                               const std::string& initial);

} // namespace input_dialog
