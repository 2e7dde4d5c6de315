#include "window_test_support.h"

#include <commctrl.h>
#include <shlobj.h>

#include "gdiplus_raii.h"

#include "atomic_file.h"
#include "control_ids.h"
#include "dc.h"
#include "handles.h"
#include "registry.h"

#include <atomic>
#include <iterator>
#include <fstream>
#include <sstream>

TempFolder::TempFolder(const std::string& tag) {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "nq-window-" + tag + "-" + std::to_string(GetCurrentProcessId()) +
            "-" + std::to_string(counter++) + "\\";
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

void RemoveTree(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(Wide(folder + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = nq::Utf8FromWide(std::wstring(entry.cFileName));
            if (name == "." || name == "..")
                continue;
            const std::string child = folder + name;
            SetFileAttributesW(Wide(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(Wide(child).c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    SetFileAttributesW(Wide(folder).c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(Wide(folder).c_str());
}

std::string ReadFileText(const std::string& path) {
    return nq::ReadWholeFile(Wide(path), 64 << 20).value_or(std::string());
}

void WriteFileText(const std::string& path, const std::string& content) {
    const nq::UniqueFile file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file && !content.empty())
        WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                  nullptr);
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CopyHostFont(const std::string& hostPath, const std::string& path) {
    ASSERT_TRUE(CopyFileW(Wide(hostPath).c_str(), Wide(path).c_str(), FALSE))
        << hostPath << " (install fonts-dejavu-core and fonts-liberation2)";
}

std::string FontValue(HKEY hive, const std::string& name, const std::string& suffix) {
    return nq::ReadString(hive, nq::kFontsKey, name + suffix);
}

void SetFontValue(HKEY hive, const std::string& name, const std::string& value,
                  const std::string& suffix) {
    const nq::UniqueRegKey key = nq::CreateKey(hive, nq::kFontsKey, KEY_ALL_ACCESS);
    ASSERT_TRUE(key);
    if (value.empty())
        nq::DeleteKeyValue(key.get(), name + suffix);
    else
        nq::WriteKeyString(key.get(), name + suffix, value);
}

std::vector<std::string> IniLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(ReadFileText(path));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int row = 0; row < count; ++row)
        rows.push_back(nq::ListBox(list).Text(row));
    return rows;
}

ScopePlaces WindowTest::Places() const {
    const bool machineWritable = machineWritable_;
    return {Root(), UserRoot(),
            [machineWritable](HKEY hive, const std::string&) {
                return hive != HKEY_LOCAL_MACHINE || machineWritable;
            },
            systemLoadsUserFonts_};
}

std::unique_ptr<TfrmMiddle> WindowTest::Open(bool show) {
    auto form = std::make_unique<TfrmMiddle>(prompts_, ProgramPath(), Places());
    EXPECT_TRUE(form->Create());
    if (show)
        form->Show();
    return form;
}

void WindowTest::Close(std::unique_ptr<TfrmMiddle>& form) {
    DestroyWindow(form->Handle());
    form.reset();
}

namespace {

// Makes row the only selected row of a list with several selectable rows,
// with the focus, and sends the notification a click makes it send.
void ClickOnly(TfrmMiddle& form, int id, int row) {
    HWND list = Control(form, id);
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    SendMessageA(list, LB_SETSEL, TRUE, row);
    SendMessageA(list, LB_SETCARETINDEX, row, FALSE);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

} // namespace

void WaitForListing(TfrmMiddle& form) {
    // The records arrive by message, as they do in the program's message loop.
    const ULONGLONG deadline = GetTickCount64() + 60000;
    while (form.ListingFonts() && GetTickCount64() < deadline) {
        PumpMessages(form);
        if (form.ListingFonts())
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    ASSERT_FALSE(form.ListingFonts()) << "the listing did not end within a minute";
}

void WindowTest::ClickFolder(TfrmMiddle& form, int row, bool waitForListing) {
    ClickOnly(form, ctl::LbFolders, row);
    if (waitForListing)
        WaitForListing(form);
}

void WindowTest::ClickFont(TfrmMiddle& form, int row) {
    ClickOnly(form, ctl::LbFonts, row);
}

void PumpMessages(TfrmMiddle& form) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        form.ProcessLoopMessage(msg);
}

void PressKey(TfrmMiddle& form, HWND target, UINT key, std::vector<UINT> modifiers) {
    SetFocus(target);
    BYTE state[256] = {};
    GetKeyboardState(state);
    BYTE held[256];
    std::copy(std::begin(state), std::end(state), std::begin(held));
    for (UINT modifier : modifiers)
        held[modifier] = 0x80;
    SetKeyboardState(held);
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000);
    PumpMessages(form);
    // A key may list a collection (F5, or the arrows in the collections list).
    WaitForListing(form);
    for (UINT modifier : modifiers)
        held[modifier] = 0;
    SetKeyboardState(held);
}

namespace {

struct MenuEntry {
    std::string Text;
    UINT Id = 0;
    HMENU Submenu = nullptr;
    bool Separator = false;
};

MenuEntry MenuEntryAt(HMENU menu, int index) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info);
    return {nq::Utf8FromWide(std::wstring(text)), info.wID, info.hSubMenu,
            (info.fType & MFT_SEPARATOR) != 0};
}

// Calls visit with the path of every item that runs a command (a submenu's as
// "<submenu text>/<item text>", a separator as "-"), in menu order; stops at
// the first item for which visit answers true.
bool VisitMenu(HMENU menu, const std::string& prefix,
               const std::function<bool(const std::string& path, UINT id)>& visit) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const MenuEntry entry = MenuEntryAt(menu, i);
        if (entry.Separator) {
            if (visit(prefix + "-", 0))
                return true;
        } else if (entry.Submenu) {
            if (VisitMenu(entry.Submenu, prefix + entry.Text + "/", visit))
                return true;
        } else if (visit(prefix + entry.Text, entry.Id)) {
            return true;
        }
    }
    return false;
}

} // namespace

UINT RecordingPrompts::PopupMenu(HWND, HMENU menu, POINT) {
    Menus.push_back(MenuPaths(menu));
    if (MenuChoices.empty())
        return 0;
    const std::string choice = MenuChoices.front();
    MenuChoices.pop_front();
    UINT chosen = 0;
    VisitMenu(menu, "", [&](const std::string& path, UINT id) {
        if (path != choice || id == 0)
            return false;
        chosen = id;
        return true;
    });
    return chosen;
}

std::vector<std::string> RecordingPrompts::MenuPaths(HMENU menu) {
    std::vector<std::string> paths;
    VisitMenu(menu, "", [&](const std::string& path, UINT) {
        paths.push_back(path);
        return false;
    });
    return paths;
}

void WindowTest::TypeSearch(TfrmMiddle& form, const std::string& text) {
    SetWindowTextA(Control(form, ctl::EditSearch), text.c_str());
}

void WindowTest::ClickSearchBox(TfrmMiddle& form) {
    HWND edit = Control(form, ctl::EditSearch);
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

int WindowTest::FindRow(HWND list, const std::string& text) {
    const std::vector<std::string> rows = ListRows(list);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i] == text)
            return static_cast<int>(i);
    return -1;
}

void DragSplitter(HWND splitter, int offset) {
    RECT bar;
    GetWindowRect(splitter, &bar);
    const bool vertical = bar.bottom - bar.top > bar.right - bar.left;
    const POINT press{(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2};
    SetCursorPos(press.x, press.y);
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SetCursorPos(vertical ? press.x + offset : press.x, vertical ? press.y : press.y + offset);
    SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, 0);
    SendMessageA(splitter, WM_LBUTTONUP, 0, 0);
}

nq::ArgbDib OnScreen(HWND form, HWND control) {
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const POINT at = nq::OffsetIn(control, form);
    const SIZE size = nq::ClientSize(control);
    nq::ArgbDib dib(size.cx, size.cy);
    const nq::ClientDC screen(form);
    const nq::MemoryDC dc(screen.get());
    const nq::SelectGuard bitmap(dc.get(), dib.Bitmap());
    BitBlt(dc.get(), 0, 0, size.cx, size.cy, screen.get(), at.x, at.y, SRCCOPY);
    GdiFlush();
    return dib;
}

void DropFiles(HWND window, const std::vector<std::string>& paths, bool wide) {
    // The ANSI list holds the paths as they are; the UTF-16 one as the shell
    // sends them today.
    std::string names;
    for (const std::string& path : paths) {
        if (!wide) {
            names += path + '\0';
            continue;
        }
        for (const wchar_t c : Wide(path) + L'\0') {
            names += static_cast<char>(c & 0xFF);
            names += static_cast<char>(c >> 8);
        }
    }
    names += wide ? std::string(2, '\0') : std::string(1, '\0');
    HGLOBAL block = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = wide ? TRUE : FALSE;
    std::copy(names.begin(), names.end(), reinterpret_cast<char*>(drop + 1));
    GlobalUnlock(block);
    // The receiver releases the block with DragFinish.
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
}

namespace {

void WriteImage(const std::string& path, const CLSID& encoder, int width, int height,
                const std::function<std::uint32_t(int x, int y)>& pixel) {
    using namespace Gdiplus::DllExports;
    Gdiplus::GpBitmap* raw = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &raw),
              Gdiplus::Ok);
    const nq::GdipImagePtr image(raw);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            GdipBitmapSetPixel(raw, x, y, pixel(x, y));
    const std::wstring wide(path.begin(), path.end());
    ASSERT_EQ(GdipSaveImageToFile(raw, wide.c_str(), &encoder, nullptr), Gdiplus::Ok) << path;
}

} // namespace

void WritePng(const std::string& path, int width, int height,
              const std::function<std::uint32_t(int x, int y)>& pixel) {
    const CLSID png = {
        0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    WriteImage(path, png, width, height, pixel);
}

void WriteBmp(const std::string& path, int width, int height,
              const std::function<std::uint32_t(int x, int y)>& pixel) {
    const CLSID bmp = {
        0x557CF400, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
    WriteImage(path, bmp, width, height, pixel);
}

namespace {

struct TooltipSearch {
    HWND Owner, Found;
};

BOOL CALLBACK FindOwnedTooltip(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<TooltipSearch*>(data);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || GetWindow(window, GW_OWNER) != search.Owner)
        return TRUE;
    search.Found = window;
    return FALSE;
}

} // namespace

HWND FindTooltip(const TfrmMiddle& form) {
    TooltipSearch search{form.Handle(), nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedTooltip, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string TipAt(HWND tooltip, HWND window, POINT point) {
    TTHITTESTINFOW hit{};
    hit.hwnd = window;
    hit.pt = point;
    hit.ti.cbSize = TTTOOLINFOW_V2_SIZE;
    if (!SendMessageW(tooltip, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)))
        return {};
    // The wide form: the narrow one stops at 80 characters.
    wchar_t text[1024] = {};
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = hit.ti.hwnd;
    info.uId = hit.ti.uId;
    info.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&info));
    std::string narrow;
    for (const wchar_t* c = text; *c; ++c)
        narrow += static_cast<char>(*c); // the tips are plain ASCII
    return narrow;
}
