// The skin menu of the title bar: one item per folder of "Skins" beside the
// program, made anew at every opening.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace nq {

// The names of the folders in skinsFolder (ending in a backslash), in the
// order the file system gives them; hidden and system folders, "." and ".."
// and files are left out. Empty when there is no such folder.
std::vector<std::string> SkinFolders(const std::string& skinsFolder);

// What was chosen in the skin menu: a skin's name or one of the commands
// below the skins.
struct SkinMenuChoice {
    std::optional<std::string> Skin;
    std::optional<std::size_t> Command; // index into the commands
};

// Pops the menu up with its top-left corner at the screen point, owned by
// owner, with the names exactly as they are (no accelerators are added; an
// ampersand shows as the underline of the next letter) and, after a
// separator, the commands. Neither member is set when the menu was closed
// without a choice or is empty.
SkinMenuChoice PopupSkinMenu(HWND owner, POINT screen, const std::vector<std::string>& names,
                             const std::vector<std::string>& commands = {});

// The text of the skin information box: name " by " author, a blank line,
// "Notes:" and the notes.
std::string SkinInfoText(const std::string& name, const std::string& author,
                         const std::string& notes);

} // namespace nq
