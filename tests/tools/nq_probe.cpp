// Test-side tool that looks at a running NimbQuillbox from outside, as other
// programs can: finds its client window, prints the rows of its list boxes and
// where things are on screen, and asks it to close.
//
//   nq_probe wait [ms]           waits for the visible window; prints "X Y W H"
//   nq_probe rows NAME           rows of lbFolders or lbFonts, one per line
//   nq_probe data NAME           each row's data value, one per line
//   nq_probe rowpos NAME ROW     screen point "X Y" in the middle of a row
//   nq_probe ctlpos CONTROL [X Y] screen point "X Y" in the middle of a control, or
//                                at X Y of its client area
//   nq_probe text CONTROL        a control's text
//   nq_probe close [ms]          sends WM_CLOSE and waits until the window is gone
//   nq_probe winrect CLASS [ms]  waits for a visible top-level window of that class
//                                (TfrmTop, #32768 for a popup menu); prints "X Y W H"
//   nq_probe dlgtext TITLE [ms]  waits for a dialog (a message box) of that title;
//                                prints the texts of its static controls
//   nq_probe skins FOLDER        the sub-folders of FOLDER as the skin menu lists
//                                them: directory order, hidden and system ones left out
//   nq_probe selected NAME       the rows of lbFonts or lbFolders that are selected
//   nq_probe fontvalue FONT      the data of HKLM's font value "FONT (TrueType)"
//   nq_probe setfontvalue FONT [DATA]  sets that value, or deletes it without DATA
//   nq_probe frame               the five windows of the frame, one line each in the
//                                order TfrmTop TfrmMiddle TfrmBottom TfrmRight TfrmLeft:
//                                "CLASS X Y W H VISIBLE ENABLED"; then "apart" when
//                                another window stands between two of them in the
//                                z-order, else "together"; then "minimized 1" or
//                                "minimized 0" for the window with the taskbar button
//   nq_probe taskbar             clicks the program's taskbar button as the shell
//                                does: restores it when minimised, else activates it
//
// CONTROL is lbFolders, lbFonts, editSearch, ComboBox1, lbPreview or Toolbar. Exit code
// 0 on success, 1 when the window or control is missing or a wait timed out.
#include "control_ids.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

HWND FindMainWindow() {
    HWND window = FindWindowA(kMiddleWindowClass, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

// The program's window with the taskbar button, which owns the frame.
constexpr const char* kAppWindowClass = "NqApplication";

// The frame's window of a class: the one owned by the application window.
HWND FindFrameWindow(HWND app, const char* className) {
    for (HWND w = FindWindowA(className, nullptr); w;
         w = FindWindowExA(nullptr, w, className, nullptr))
        if (GetWindow(w, GW_OWNER) == app)
            return w;
    return nullptr;
}

int FrameCommand() {
    HWND app = FindWindowA(kAppWindowClass, nullptr);
    if (!app)
        return 1;
    const char* classes[] = {"TfrmTop", "TfrmMiddle", "TfrmBottom", "TfrmRight", "TfrmLeft"};
    int low = 1 << 30, high = -1, count = 0;
    std::vector<HWND> frame;
    for (const char* name : classes) {
        HWND w = FindFrameWindow(app, name);
        if (!w)
            return 1;
        frame.push_back(w);
        RECT r;
        GetWindowRect(w, &r);
        std::printf("%s %ld %ld %ld %ld %d %d\n", name, r.left, r.top, r.right - r.left,
                    r.bottom - r.top, IsWindowVisible(w) ? 1 : 0, IsWindowEnabled(w) ? 1 : 0);
    }
    // The top-level windows from the top down: the five must follow each other.
    int index = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT), ++index)
        for (HWND f : frame)
            if (w == f) {
                low = index < low ? index : low;
                high = index;
                ++count;
            }
    std::printf("%s\n", count == 5 && high - low == 4 ? "together" : "apart");
    std::printf("minimized %d\n", IsIconic(app) ? 1 : 0);
    return 0;
}

int ControlId(const char* name) {
    struct Entry {
        const char* Name;
        int Id;
    };
    static const Entry entries[] = {{"lbFolders", ctl::LbFolders},   {"lbFonts", ctl::LbFonts},
                                    {"editSearch", ctl::EditSearch}, {"ComboBox1", ctl::ComboBox1},
                                    {"lbPreview", ctl::LbPreview},   {"Toolbar", ctl::Toolbar}};
    for (const Entry& e : entries)
        if (std::strcmp(e.Name, name) == 0)
            return e.Id;
    return 0;
}

struct Search {
    int Id;
    HWND Found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    if (GetDlgCtrlID(child) == search->Id) {
        search->Found = child;
        return FALSE;
    }
    return TRUE;
}

// EnumChildWindows walks the whole tree of descendants, not only direct children.
HWND FindControl(const char* name) {
    HWND main = FindMainWindow();
    const int id = ControlId(name);
    if (!main || id == 0)
        return nullptr;
    Search search{id, nullptr};
    EnumChildWindows(main, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::wstring Widen(const std::string& text) {
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), wide.data(),
                            size);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), text.data(),
                            size, nullptr, nullptr);
    return text;
}

// Text crosses the process boundary as UTF-16: Wine hands the ANSI forms of
// these messages to another process unconverted.
std::string RowText(HWND list, int row) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return Narrow(text);
}

std::string ControlText(HWND control) {
    wchar_t text[4096] = {};
    SendMessageW(control, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text));
    return Narrow(text);
}

// The first visible top-level window of a class, for timeout milliseconds at most.
HWND WaitForClass(const char* className, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(className, nullptr);
        while (window && !IsWindowVisible(window))
            window = FindWindowExA(nullptr, window, className, nullptr);
        if (window || GetTickCount() - start >= timeout)
            return window;
        Sleep(100);
    }
}

BOOL CALLBACK PrintStaticText(HWND child, LPARAM) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        const std::string text = ControlText(child);
        if (!text.empty())
            std::printf("%s\n", text.c_str());
    }
    return TRUE;
}

int Fail(const char* what) {
    std::fprintf(stderr, "nq_probe: %s\n", what);
    return 1;
}

void PrintCentre(HWND window, RECT r) {
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(window, &centre);
    std::printf("%ld %ld\n", centre.x, centre.y);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Fail("usage: nq_probe wait|rows|data|selected|rowpos|ctlpos|text|close|winrect|"
                    "dlgtext|skins|frame|taskbar|fontvalue|setfontvalue ...");
    const std::string command = argv[1];

    if (command == "wait") {
        const DWORD timeout = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 20000;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeout) {
            if (HWND main = FindMainWindow()) {
                RECT r;
                GetWindowRect(main, &r);
                std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
                return 0;
            }
            Sleep(100);
        }
        return Fail("no window");
    }

    if (command == "close") {
        const DWORD timeout = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 20000;
        HWND main = FindMainWindow();
        if (!main)
            return Fail("no window");
        PostMessageA(main, WM_CLOSE, 0, 0);
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeout) {
            if (!IsWindow(main))
                return 0;
            Sleep(100);
        }
        return Fail("the window did not close");
    }

    if (command == "winrect" && argc > 2) {
        const DWORD timeout = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 10000;
        HWND window = WaitForClass(argv[2], timeout);
        if (!window)
            return Fail("no window of that class");
        RECT r;
        GetWindowRect(window, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }

    if (command == "dlgtext" && argc > 2) {
        const DWORD timeout = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 10000;
        const DWORD start = GetTickCount();
        HWND dialog = nullptr;
        while (!(dialog = FindWindowA("#32770", argv[2])) && GetTickCount() - start < timeout)
            Sleep(100);
        if (!dialog)
            return Fail("no dialog of that title");
        EnumChildWindows(dialog, PrintStaticText, 0);
        return 0;
    }

    if (command == "frame")
        return FrameCommand() == 0 ? 0 : Fail("no frame");

    if (command == "taskbar") {
        HWND app = FindWindowA(kAppWindowClass, nullptr);
        if (!app)
            return Fail("no taskbar window");
        if (IsIconic(app))
            PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
        else
            SetForegroundWindow(app);
        return 0;
    }

    if (command == "skins" && argc > 2) {
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((std::string(argv[2]) + "\\*.*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE)
            return Fail("no such folder");
        do {
            const std::string name = entry.cFileName;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
                name != "." && name != "..")
                std::printf("%s\n", name.c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
        return 0;
    }

    if ((command == "fontvalue" || command == "setfontvalue") && argc > 2) {
        const std::wstring name = Widen(std::string(argv[2]) + " (TrueType)");
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE,
                            L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0, nullptr,
                            0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return Fail("no font key");
        if (command == "setfontvalue") {
            LONG status = ERROR_SUCCESS;
            if (argc > 3) {
                const std::wstring data = Widen(argv[3]);
                status = RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(data.c_str()),
                                        static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
            } else {
                RegDeleteValueW(key, name.c_str());
            }
            RegCloseKey(key);
            return status == ERROR_SUCCESS ? 0 : Fail("the value was not set");
        }
        wchar_t data[1024] = {};
        DWORD size = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                             &size) == ERROR_SUCCESS &&
            type == REG_SZ)
            std::printf("%s\n", Narrow(data).c_str());
        RegCloseKey(key);
        return 0;
    }

    if (argc < 3)
        return Fail("which control?");
    HWND control = FindControl(argv[2]);
    if (!control)
        return Fail("no such control");

    if (command == "rows" || command == "data") {
        const LRESULT count = SendMessageA(control, LB_GETCOUNT, 0, 0);
        for (LRESULT row = 0; row < count; ++row) {
            if (command == "rows")
                std::printf("%s\n", RowText(control, static_cast<int>(row)).c_str());
            else
                std::printf("%lld\n", static_cast<long long>(SendMessageA(
                                          control, LB_GETITEMDATA, static_cast<WPARAM>(row), 0)));
        }
        return 0;
    }
    if (command == "selected") {
        const LRESULT count = SendMessageA(control, LB_GETCOUNT, 0, 0);
        for (LRESULT row = 0; row < count; ++row)
            if (SendMessageA(control, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0)
                std::printf("%s\n", RowText(control, static_cast<int>(row)).c_str());
        return 0;
    }
    if (command == "rowpos") {
        if (argc < 4)
            return Fail("which row?");
        const int row = std::atoi(argv[3]);
        const int height = static_cast<int>(SendMessageA(control, LB_GETITEMHEIGHT, 0, 0));
        const int top = static_cast<int>(SendMessageA(control, LB_GETTOPINDEX, 0, 0));
        RECT client;
        GetClientRect(control, &client);
        const int y = (row - top) * height;
        if (height <= 0 || y < 0 || y + height > client.bottom)
            return Fail("the row is not in view");
        PrintCentre(control, RECT{client.left, y, client.right, y + height});
        return 0;
    }
    if (command == "ctlpos") {
        RECT client;
        GetClientRect(control, &client);
        if (argc > 4) { // a point of the control's own: X Y from its top left corner
            const LONG x = std::strtol(argv[3], nullptr, 10);
            const LONG y = std::strtol(argv[4], nullptr, 10);
            client = RECT{x, y, x, y};
        }
        PrintCentre(control, client);
        return 0;
    }
    if (command == "text") {
        std::printf("%s\n", ControlText(control).c_str());
        return 0;
    }
    return Fail("unknown command");
}
