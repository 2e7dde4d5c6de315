#include "app_window.h"

#include "window_class.h"

namespace nq {

namespace {

constexpr const char* kClassName = "NqApplication";
// Posted to itself when it is activated: the activation is handed on once the
// one that brought it here has run its course.
constexpr UINT kActivateFrame = WM_APP + 1;
constexpr int kNowhere = -32000;

} // namespace

bool AppWindow::Create(const char* title, HICON icon) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = icon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    RegisterClassOnce(wc);
    // A system menu with Minimise and Close is what the taskbar's window menu
    // offers. No size, and far off the screen, so that no display system ever
    // gives it a pixel.
    return CreateBound(WS_EX_APPWINDOW, kClassName, title, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                       kNowhere, kNowhere, 0, 0, nullptr, nullptr) != nullptr;
}

void AppWindow::ShowButton(bool shown) {
    if (Handle())
        ShowWindow(Handle(), shown ? SW_SHOWNA : SW_HIDE);
}

void AppWindow::Minimize() {
    if (Handle())
        ShowWindow(Handle(), SW_MINIMIZE);
}

bool AppWindow::Minimized() const {
    return minimized_;
}

void AppWindow::BringToFront() const {
    if (Handle())
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AppWindow::ActivateFrame() {
    // Another window may have taken the activation meanwhile: it keeps it.
    if (minimized_ || GetActiveWindow() != Handle())
        return;
    BringToFront();
    if (const HWND target = host_.WindowToActivate())
        SetActiveWindow(target);
}

LRESULT AppWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            if (!minimized_) {
                minimized_ = true;
                host_.ApplicationMinimized();
            }
        } else if (minimized_) {
            minimized_ = false;
            host_.ApplicationRestored();
        }
        return 0;
    case WM_ACTIVATE:
        // The window has nothing to show or type into: the frame takes over.
        if (LOWORD(wParam) != WA_INACTIVE)
            PostMessageA(Handle(), kActivateFrame, 0, 0);
        return 0;
    case kActivateFrame:
        ActivateFrame();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            host_.CloseProgram();
            return 0;
        }
        break;
    case WM_CLOSE:
        host_.CloseProgram();
        return 0;
    default:
        break;
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

} // namespace nq
