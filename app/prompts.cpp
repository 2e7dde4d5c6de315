#include "prompts.h"

#include "input_dialog.h"

#include <commdlg.h>

#include <vector>

int WindowsPrompts::Message(HWND owner, const std::string& caption, const std::string& text,
                            UINT type) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

std::optional<std::string> WindowsPrompts::QueryText(HWND owner, const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& initial) {
    return input_dialog::Run(owner, caption, prompt, initial);
}

std::optional<std::string> WindowsPrompts::OpenFile(HWND owner, const std::string& filterName,
                                                    const std::string& patterns) {
    // "name\0patterns\0\0", the form the dialog takes its filters in.
    std::string filter = filterName + '\0' + patterns + '\0';
    std::vector<char> path(32768, '\0'); // long paths too, not only MAX_PATH
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameA(&ofn))
        return std::nullopt;
    return std::string(path.data());
}
