#include "prompts.h"

#include "input_dialog.h"
#include "text.h"

#include <commdlg.h>
#include <shellapi.h>

#include <vector>

int WindowsPrompts::Message(HWND owner, const std::string& caption, const std::string& text,
                            UINT type) {
    return MessageBoxW(owner, nq::WideFromUtf8(text).c_str(), nq::WideFromUtf8(caption).c_str(),
                       type);
}

std::optional<std::string> WindowsPrompts::QueryText(HWND owner, const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& initial) {
    return input_dialog::Run(owner, caption, prompt, initial);
}

std::optional<std::string> WindowsPrompts::OpenFile(HWND owner, const std::string& filterName,
                                                    const std::string& patterns) {
    // "name\0patterns\0\0", the form the dialog takes its filters in.
    const std::wstring filter =
        nq::WideFromUtf8(filterName) + L'\0' + nq::WideFromUtf8(patterns) + L'\0';
    std::vector<wchar_t> path(32768, L'\0'); // long paths too, not only MAX_PATH
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameW(&ofn))
        return std::nullopt;
    return nq::Utf8FromWide(std::wstring(path.data()));
}

Prompts::Elevation WindowsPrompts::StartElevated(HWND owner, const std::string& program,
                                                 const std::string& parameters) {
    const std::wstring file = nq::WideFromUtf8(program);
    const std::wstring arguments = nq::WideFromUtf8(parameters);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = arguments.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info))
        return Elevation::Started;
    // The user said No to the consent prompt: nothing to tell.
    return GetLastError() == ERROR_CANCELLED ? Elevation::Declined : Elevation::Failed;
}

UINT WindowsPrompts::PopupMenu(HWND owner, HMENU menu, POINT screen) {
    // The owner must be the foreground window for the menu to close when the
    // user clicks elsewhere.
    SetForegroundWindow(owner);
    const BOOL chosen =
        TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON,
                         screen.x, screen.y, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return static_cast<UINT>(chosen);
}

bool WindowsPrompts::ShowInExplorer(const std::string& path, bool selectFile) {
    const std::wstring wide = nq::WideFromUtf8(path);
    HINSTANCE started = nullptr;
    if (selectFile) {
        const std::wstring arguments = L"/select,\"" + wide + L"\"";
        started = ShellExecuteW(nullptr, L"open", L"explorer.exe", arguments.c_str(), nullptr,
                                SW_SHOWNORMAL);
    } else {
        started = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    return reinterpret_cast<INT_PTR>(started) > 32;
}
