#include "tooltip.h"

#include "dpi_scale.h"
#include "text.h"

#include <commctrl.h>

namespace nq {

namespace {

// Room for the longest text in a few lines rather than one line across the
// screen (at 96 DPI).
constexpr int kMaxTipWidth = 320;

TTTOOLINFOW ToolInfo(HWND window, UINT id) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE; // what common controls 5 and 6 both take
    info.hwnd = window;
    info.uId = id;
    return info;
}

bool SameArea(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

Tooltip::~Tooltip() {
    if (hwnd_ && IsWindow(hwnd_))
        DestroyWindow(hwnd_);
}

bool Tooltip::Create(HWND owner) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
    if (!hwnd_)
        return false;
    SetDpi(kBaseDpi);
    return true;
}

void Tooltip::SetDpi(int dpi) {
    if (hwnd_)
        SendMessageW(hwnd_, TTM_SETMAXTIPWIDTH, 0, Scaled(kMaxTipWidth, dpi));
}

void Tooltip::Set(HWND window, UINT id, const RECT& area, const std::string& text) {
    if (!hwnd_ || !window)
        return;
    TTTOOLINFOW info = ToolInfo(window, id);
    info.rect = area;
    std::wstring wide = WideFromUtf8(text);
    info.lpszText = wide.data();
    const auto found = tools_.find({window, id});
    if (found == tools_.end()) {
        // The control watches the window's mouse messages itself.
        info.uFlags = TTF_SUBCLASS;
        if (SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)))
            tools_.emplace(std::pair{window, id}, Tool{area, text});
        return;
    }
    Tool& tool = found->second;
    if (!SameArea(tool.Area, area)) {
        SendMessageW(hwnd_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
        tool.Area = area;
    }
    if (tool.Text != text) {
        SendMessageW(hwnd_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
        tool.Text = text;
    }
}

} // namespace nq
