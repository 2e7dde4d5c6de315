#include "child.h"

#include "text.h"

namespace nq {

HWND CreateChild(const char* className, const char* text, DWORD style, DWORD exStyle, HWND parent,
                 int id, HGDIOBJ font) {
    // A control made by the UTF-16 call keeps its text in UTF-16.
    HWND child = CreateWindowExW(exStyle, WideFromUtf8(className).c_str(),
                                 WideFromUtf8(text).c_str(), WS_CHILD | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    if (child && font)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

} // namespace nq

namespace nq {

namespace {

struct DescendantSearch {
    int Id;
    HWND Found;
};

BOOL CALLBACK MatchId(HWND child, LPARAM lParam) {
    auto* search = reinterpret_cast<DescendantSearch*>(lParam);
    if (GetDlgCtrlID(child) != search->Id)
        return TRUE;
    search->Found = child;
    return FALSE;
}

} // namespace

HWND FindDescendant(HWND root, int id) {
    DescendantSearch search{id, nullptr};
    EnumChildWindows(root, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

} // namespace nq

namespace nq {

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

POINT OffsetIn(HWND window, HWND origin) {
    POINT p{0, 0};
    MapWindowPoints(window, origin, &p, 1);
    return p;
}

} // namespace nq
