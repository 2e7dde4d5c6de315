#include "list_drawing.h"

#include "dc.h"
#include "list_controls.h"

namespace nq {

namespace {

constexpr const wchar_t* kOffMarker = L"off";
constexpr int kTextIndent = 10;

} // namespace

int RowTextColourIndex(bool selected, bool off) {
    if (selected)
        return COLOR_HIGHLIGHTTEXT;
    return off ? COLOR_INACTIVECAPTIONTEXT : COLOR_WINDOWTEXT;
}

void DrawListRow(const DRAWITEMSTRUCT& item, ListKind kind, bool off) {
    const HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) { // an empty list that has the focus
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(dc, &r);
        return;
    }
    const SelectGuard font(
        dc, reinterpret_cast<HGDIOBJ>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    SetBkColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHT) : RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, GetSysColor(RowTextColourIndex(selected, off)));
    // The row's own UTF-16 text: names in any language are drawn as they are.
    const std::wstring text = ListBox(item.hwndItem).WideText(static_cast<int>(item.itemID));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    // A name too long for its row ends in an ellipsis: at the row's right
    // edge, or one space's width before the "off" marker, so that the marker
    // never stands over a cut-off word.
    RECT name{r.left + kTextIndent, r.top, r.right, r.bottom};
    SIZE marker{}, space{};
    if (off) {
        GetTextExtentPoint32W(dc, L"off ", 4, &marker);
        GetTextExtentPoint32W(dc, L" ", 1, &space);
        name.right = r.right - marker.cx - space.cx;
    }
    if (name.right > name.left)
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &name,
                  DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (off) {
        const int x = r.right - marker.cx;
        if (kind == ListKind::Fonts) {
            const RECT cell{x, r.top, r.right, r.bottom};
            ExtTextOutW(dc, x, r.top, ETO_OPAQUE, &cell, kOffMarker, 3, nullptr);
        } else {
            TextOutW(dc, x, r.top, kOffMarker, 3);
        }
    }
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &r);
}

} // namespace nq
