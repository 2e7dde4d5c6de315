// NimbQuillbox: GDI+ for the whole run, the client window as the only main
// window, and the message loop.
#include "font_scope.h"
#include "frm_middle.h"
#include "gdiplus_raii.h"
#include "prompts.h"
#include "text.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::string ProgramPath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size() || path.size() >= 32768)
            return nq::Utf8FromWide(path.data(), length);
        path.resize(path.size() * 2);
    }
}

// The scope the command line asks for ("/scope=machine" when the program
// started itself again as administrator); the last such argument counts.
std::optional<ScopeSetting> RequestedScope() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return std::nullopt;
    std::optional<ScopeSetting> requested;
    for (int i = 1; i < count; ++i)
        if (const std::optional<ScopeSetting> scope =
                ScopeFromArgument(nq::Utf8FromWide(std::wstring(arguments[i]))))
            requested = scope;
    LocalFree(arguments);
    return requested;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Started before any window exists and shut down as the very last step.
    const nq::GdiplusSession gdiplus;
    // The standard controls from common controls 6, which the manifest asks for.
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    WindowsPrompts prompts;
    TfrmMiddle form(prompts, ProgramPath(), SystemScopePlaces());
    form.SetQuitOnDestroy(true);
    if (const std::optional<ScopeSetting> scope = RequestedScope())
        form.RequestScope(*scope);
    if (!form.Create())
        return 1;
    form.Show();

    MSG msg;
    // The window's own keys first (Tab among them), then the controls'; the
    // UTF-16 calls, so that typed characters reach the UTF-16 controls whole.
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        form.ProcessLoopMessage(msg);
    return static_cast<int>(msg.wParam);
}
