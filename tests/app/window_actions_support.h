// The fixture of the tests that act on fonts and collections through the
// client window: three fonts of the host in the collection "Alpha", an empty
// collection "Beta", the host's registrations of those fonts taken away for
// each test and put back after it, and the ways a user drags rows.
#pragma once

#include "window_test_support.h"

#include "registry.h"

#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>

namespace actions {

using Rows = std::vector<std::string>;

inline const char* const kNames[] = {"DejaVu Sans", "DejaVu Sans Bold", "Liberation Sans Bold",
                                     "DejaVu Serif"};

inline std::string FontValue(const std::string& name) {
    return FontValue(HKEY_LOCAL_MACHINE, name);
}

// Wine sends recycled items to the XDG trash of the user that runs it; it
// tells its processes the Linux home folder as \??\Z:\home\user. The
// trash folder, "" when it is not known.
inline std::string WineTrashFolder() {
    char home[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("WINEHOMEDIR", home, MAX_PATH))
        return {};
    const std::string folder = home;
    return folder.substr(folder.compare(0, 4, "\\??\\") == 0 ? 4 : 0) + "\\.local\\share\\Trash\\";
}

// Removes the items of Wine's trash that have no trash information left (as
// an earlier take out of the trash that missed the item leaves them): Wine
// cannot trash another item of such a name.
inline void RemoveTrashOrphans() {
    const std::string trash = WineTrashFolder();
    WIN32_FIND_DATAA found;
    HANDLE search =
        trash.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA((trash + "files\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || Exists(trash + "info\\" + name + ".trashinfo"))
            continue;
        RemoveTree(trash + "files\\" + name);
        DeleteFileA((trash + "files\\" + name).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Takes the item named name (or name with the number the trash adds to a second one
// of that name) out of it again; false when there is none.
inline bool TakeFromTrash(const std::string& name) {
    const std::string trash = WineTrashFolder();
    if (trash.empty())
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((trash + "files\\" + name + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    const std::string item = trash + "files\\" + found.cFileName;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(item);
    else
        DeleteFileA(item.c_str());
    DeleteFileA((trash + "info\\" + found.cFileName + ".trashinfo").c_str());
    return true;
}

// Takes the item that lay at windowsPath out of Wine's trash again, found by
// the original path its trash information records; false when it is not there.
inline bool TakeTrashed(const std::string& windowsPath) {
    const std::string trash = WineTrashFolder();
    if (trash.empty() || windowsPath.size() < 3)
        return false;
    // Wine records the path through its drive link, with spaces escaped.
    std::string tail = "/dosdevices/";
    tail += static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0])));
    for (char c : windowsPath.substr(1))
        tail += c == '\\' ? std::string("/") : c == ' ' ? std::string("%20") : std::string(1, c);
    while (tail.back() == '/')
        tail.pop_back();
    const std::string wanted = tail + "\n";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((trash + "info\\*.trashinfo").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool taken = false;
    do {
        const std::string info = trash + "info\\" + found.cFileName;
        const std::string text = ReadFileText(info) + "\n";
        const std::size_t at = text.find(wanted);
        if (at == std::string::npos || text.rfind("Path=", at) == std::string::npos)
            continue;
        std::string name = found.cFileName;
        name.resize(name.size() - std::string(".trashinfo").size());
        const std::string item = trash + "files\\" + name;
        RemoveTree(item);
        DeleteFileA(item.c_str());
        DeleteFileA(info.c_str());
        taken = true;
        break;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return taken;
}

// Wine registers the host's fonts under these names: the values are taken
// away for each test, so that the copies can be switched, and put back as
// they were after it.
class ActionsTest : public WindowTest {
  protected:
    void SetUp() override {
        RemoveTrashOrphans();
        for (const char* name : kNames) {
            saved_[name] = FontValue(name);
            SetFontValue(HKEY_LOCAL_MACHINE, name, "");
        }
        ASSERT_TRUE(CreateDirectoryA((Root() + "Alpha").c_str(), nullptr));
        CopyHostFont(kDejaVuSans, Root() + "Alpha\\DejaVuSans.ttf");
        CopyHostFont(kDejaVuSansBold, Root() + "Alpha\\DejaVuSans-Bold.ttf");
        CopyHostFont(kLiberationSansBold, Root() + "Alpha\\LiberationSans-Bold.ttf");
        ASSERT_TRUE(CreateDirectoryA((Root() + "Beta").c_str(), nullptr));
        form_ = Open(true);
    }
    void TearDown() override {
        if (form_)
            Close(form_);
        for (const auto& [name, value] : saved_)
            SetFontValue(HKEY_LOCAL_MACHINE, name, value);
    }

    HWND Folders() const { return Control(*form_, ctl::LbFolders); }
    HWND Fonts() const { return Control(*form_, ctl::LbFonts); }
    int FolderRow(const std::string& name) const { return FindRow(Folders(), name); }
    void List(const std::string& collection) { ClickFolder(*form_, FolderRow(collection)); }
    // Makes the font's row current as a click does, with the notification.
    void SelectFont(const std::string& name) { ClickFont(*form_, FindRow(Fonts(), name)); }
    // The fonts of kNames lose the values Wine gave them for the host's
    // files, so that the tests' copies can take them.
    void FreeFontValues() const {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, nq::kFontsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        for (const char* name : kNames)
            RegDeleteValueA(key, (std::string(name) + " (TrueType)").c_str());
        RegCloseKey(key);
    }
    void Click(int button) {
        HWND b = Control(*form_, button);
        SendMessageA(GetParent(b), WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(b));
    }
    static LPARAM At(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }
    static POINT InRow(HWND list, int row) {
        RECT item{};
        SendMessageA(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
        return {item.left + 4, item.top + 3};
    }
    // Presses the list's row and moves past the drag threshold to screen
    // point `to`, as the mouse would.
    static void StartDrag(HWND list, int row, POINT to) {
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, At(InRow(list, row)));
        ScreenToClient(list, &to);
        SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, At(to));
    }
    // The same, then releases the button at `to`.
    static void DragRow(HWND list, int row, POINT to) {
        StartDrag(list, row, to);
        ScreenToClient(list, &to);
        SendMessageA(list, WM_LBUTTONUP, 0, At(to));
    }
    static void ClickRow(HWND list, int row) {
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, At(InRow(list, row)));
        SendMessageA(list, WM_LBUTTONUP, 0, At(InRow(list, row)));
    }
    // Arrow keys from the current row (the one with the focus rectangle) to row.
    static void KeyToRow(HWND list, int row) {
        SetFocus(list);
        const int from = static_cast<int>(SendMessageA(list, LB_GETCARETINDEX, 0, 0));
        for (int step = 0; step < std::abs(row - from); ++step) {
            const WPARAM key = row > from ? VK_DOWN : VK_UP;
            SendMessageA(list, WM_KEYDOWN, key, 1);
            SendMessageA(list, WM_KEYUP, key, 0xC0000001);
        }
    }
    // The ways a row becomes current other than by a plain click: a drag of
    // a row that was not current, ended in each way a drag ends, and the
    // arrow keys.
    struct RowMove {
        const char* How;
        std::function<void(HWND list, int row)> Make;
    };
    std::vector<RowMove> RowMoves() {
        return {
            {"dropped on the trash, answered No",
             [this](HWND list, int row) {
                 prompts_.Buttons = {IDNO};
                 DragRow(list, row, OnToolbar(5));
             }},
            {"cancelled with Escape",
             [this](HWND list, int row) {
                 StartDrag(list, row, OnToolbar(5));
                 SendMessageA(list, WM_KEYDOWN, VK_ESCAPE, 1);
             }},
            {"released over the preview",
             [this](HWND list, int row) { DragRow(list, row, OnPreview()); }},
            {"arrow keys", [](HWND list, int row) { KeyToRow(list, row); }},
        };
    }
    POINT OnPreview() const {
        RECT preview{};
        GetWindowRect(Control(*form_, ctl::LbPreview), &preview);
        return {(preview.left + preview.right) / 2, (preview.top + preview.bottom) / 2};
    }
    POINT OnFolderRow(const std::string& name) const {
        RECT item{};
        SendMessageA(Folders(), LB_GETITEMRECT, FolderRow(name), reinterpret_cast<LPARAM>(&item));
        POINT p{item.left + 10, item.top + 3};
        ClientToScreen(Folders(), &p);
        return p;
    }
    POINT OnToolbar(int x) const {
        POINT p{x, 10};
        ClientToScreen(Control(*form_, ctl::Toolbar), &p);
        return p;
    }

    std::unique_ptr<TfrmMiddle> form_;
    std::map<std::string, std::string> saved_;
};

} // namespace actions
