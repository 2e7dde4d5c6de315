#include "dpi.h"

#include "dc.h"
#include "dpi_scale.h"

namespace nq {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
// MONITOR_DPI_TYPE 0 is MDT_EFFECTIVE_DPI.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <typename Fn> Fn Lookup(HMODULE module, const char* name) {
    // Casting through a plain function pointer type keeps GCC's
    // function-type-mismatch warning quiet; the type is the documented one.
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}

GetDpiForWindowFn ForWindow() {
    static const GetDpiForWindowFn fn =
        Lookup<GetDpiForWindowFn>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    return fn;
}

GetDpiForMonitorFn ForMonitor() {
    // shcore.dll stays loaded for the process's life: the pointer is kept.
    static const GetDpiForMonitorFn fn =
        Lookup<GetDpiForMonitorFn>(LoadLibraryA("shcore.dll"), "GetDpiForMonitor");
    return fn;
}

int SystemDpi() {
    const ClientDC screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : kBaseDpi;
}

int MonitorDpi(HMONITOR monitor) {
    UINT x = 0, y = 0;
    if (const GetDpiForMonitorFn fn = ForMonitor();
        fn && monitor && SUCCEEDED(fn(monitor, 0, &x, &y)) && x > 0)
        return static_cast<int>(x);
    return SystemDpi();
}

} // namespace

int WindowDpi(HWND window) {
    if (const GetDpiForWindowFn fn = ForWindow(); fn && window)
        if (const UINT dpi = fn(window); dpi > 0)
            return static_cast<int>(dpi);
    return MonitorDpi(window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY) : nullptr);
}

int MonitorDpiAt(POINT screen) {
    return MonitorDpi(MonitorFromPoint(screen, MONITOR_DEFAULTTOPRIMARY));
}

} // namespace nq
