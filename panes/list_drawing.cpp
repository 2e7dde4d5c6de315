#include "list_drawing.h"

#include "dc.h"
#include "dpi_scale.h"
#include "list_controls.h"

namespace nq {

namespace {

constexpr const wchar_t* kOffMarker = L"off";
constexpr int kTextIndent = 10;

} // namespace

RowColours ListRowColours(const ColourValues& skin, bool selected, bool off) {
    const auto pick = [](const std::optional<std::uint32_t>& colour, int systemColour) {
        return colour ? static_cast<COLORREF>(*colour) : GetSysColor(systemColour);
    };
    RowColours row{};
    if (selected) {
        row.Back = pick(skin.ListSelectedBack, COLOR_HIGHLIGHT);
        row.Text = pick(skin.ListSelectedText, COLOR_HIGHLIGHTTEXT);
        row.Marker = row.Text;
        return row;
    }
    row.Back = static_cast<COLORREF>(skin.ListBack);
    row.Text = off ? pick(skin.ListOffText, COLOR_INACTIVECAPTIONTEXT)
                   : pick(skin.ListText, COLOR_WINDOWTEXT);
    row.Marker = skin.ListOffMarker ? static_cast<COLORREF>(*skin.ListOffMarker) : row.Text;
    return row;
}

void DrawListRow(const DRAWITEMSTRUCT& item, ListKind kind, bool off, const ColourValues& skin,
                 int dpi) {
    const HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) { // an empty list that has the focus
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(dc, &r);
        return;
    }
    const SelectGuard font(
        dc, reinterpret_cast<HGDIOBJ>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)));
    const RowColours colours = ListRowColours(skin, (item.itemState & ODS_SELECTED) != 0, off);
    SetBkColor(dc, colours.Back);
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, colours.Text);
    // The row's own UTF-16 text: names in any language are drawn as they are.
    const std::wstring text = ListBox(item.hwndItem).WideText(static_cast<int>(item.itemID));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    // A name too long for its row ends in an ellipsis: at the row's right
    // edge, or one space's width before the "off" marker, so that the marker
    // never stands over a cut-off word.
    RECT name{r.left + Scaled(kTextIndent, dpi), r.top, r.right, r.bottom};
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
        SetTextColor(dc, colours.Marker);
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

LRESULT ListBackground(const ClientSkin& skin, HDC dc) {
    SetBkColor(dc, static_cast<COLORREF>(skin.Colours().ListBack));
    return reinterpret_cast<LRESULT>(skin.ListBrush());
}

POINT RowMenuPoint(HWND list, int row, int dpi) {
    RECT item{};
    POINT at{0, 0};
    if (row >= 0 && SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row),
                                 reinterpret_cast<LPARAM>(&item)) != LB_ERR)
        at = {item.left + Scaled(kTextIndent, dpi), item.bottom};
    ClientToScreen(list, &at);
    return at;
}

} // namespace nq
