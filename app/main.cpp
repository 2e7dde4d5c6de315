// NimbQuillbox: GDI+ for the whole run, the client window as the only main
// window, and the message loop.
#include "font_scope.h"
#include "frm_middle.h"
#include "gdiplus_raii.h"
#include "prompts.h"
#include "text.h"

#include <windows.h>

#include <commctrl.h>

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
