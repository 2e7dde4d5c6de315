#include "tooltip.h"

#include <commctrl.h>

namespace nq {

namespace {

// Room for the longest text in a few lines rather than one line across the screen.
constexpr int kMaxTipWidth = 320;

TTTOOLINFOA ToolInfo(HWND window, UINT id) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE; // what common controls 5 and 6 both take
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
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                            WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleA(nullptr),
                            nullptr);
    if (!hwnd_)
        return false;
    SendMessageA(hwnd_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    return true;
}

void Tooltip::Set(HWND window, UINT id, const RECT& area, const std::string& text) {
    if (!hwnd_ || !window)
        return;
    TTTOOLINFOA info = ToolInfo(window, id);
    info.rect = area;
    info.lpszText = const_cast<char*>(text.c_str());
    const auto found = tools_.find({window, id});
    if (found == tools_.end()) {
        // The control watches the window's mouse messages itself.
        info.uFlags = TTF_SUBCLASS;
        if (SendMessageA(hwnd_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)))
            tools_.emplace(std::pair{window, id}, Tool{area, text});
        return;
    }
    Tool& tool = found->second;
    if (!SameArea(tool.Area, area)) {
        SendMessageA(hwnd_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
        tool.Area = area;
    }
    if (tool.Text != text) {
        SendMessageA(hwnd_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
        tool.Text = text;
    }
}

} // namespace nq
