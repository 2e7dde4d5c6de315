#include "skin_menu.h"

#include "handles.h"
#include "text.h"

#include <cwchar>

namespace nq {

std::vector<std::string> SkinFolders(const std::string& skinsFolder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const UniqueFind find(FindFirstFileW(WideFromUtf8(skinsFolder + "*.*").c_str(), &entry));
    if (!find)
        return names;
    do {
        const std::string name = Utf8FromWide(entry.cFileName, wcslen(entry.cFileName));
        const DWORD attributes = entry.dwFileAttributes;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) || name == "." ||
            name == "..")
            continue;
        names.push_back(name);
    } while (FindNextFileW(find.get(), &entry));
    return names;
}

SkinMenuChoice PopupSkinMenu(HWND owner, POINT screen, const std::vector<std::string>& names,
                             const std::vector<std::string>& commands) {
    const UniqueMenu menu(CreatePopupMenu());
    if (!menu || (names.empty() && commands.empty()))
        return {};
    for (std::size_t i = 0; i < names.size(); ++i)
        AppendMenuW(menu.get(), MF_STRING, i + 1, WideFromUtf8(names[i]).c_str());
    if (!names.empty() && !commands.empty())
        AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < commands.size(); ++i)
        AppendMenuW(menu.get(), MF_STRING, names.size() + i + 1, WideFromUtf8(commands[i]).c_str());
    // The owner must be the foreground window for the menu to close when the
    // user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON,
                       screen.x, screen.y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    SkinMenuChoice choice;
    if (chosen >= 1 && chosen <= names.size())
        choice.Skin = names[chosen - 1];
    else if (chosen > names.size() && chosen <= names.size() + commands.size())
        choice.Command = chosen - names.size() - 1;
    return choice;
}

std::string SkinInfoText(const std::string& name, const std::string& author,
                         const std::string& notes) {
    return name + " by " + author + "\n\n" + "Notes:" + "\n" + notes;
}

} // namespace nq
