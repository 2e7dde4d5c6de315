#include "fonts_pane.h"

#include "child.h"
#include "client_skin.h"
#include "control_ids.h"
#include "list_drawing.h"
#include "place.h"
#include "text.h"
#include "ui_fonts.h"

#include <algorithm>

namespace nq {

bool FontsPane::Create(HWND paneArea, PaneHost& host) {
    host_ = &host;
    headerFont_ = CreateUiFont(-11);
    listFont_ = CreateUiFont(-11);
    if (!panel1_.Create(paneArea, ctl::Panel1, "Panel1", PanelLook::Plain, this))
        return false;
    header_.Create(panel1_.Handle(), ctl::FontHeader, "Font", PanelLook::Header, nullptr,
                   AsFont(headerFont_));
    lbFonts_ =
        CreateChild("LISTBOX", "lbFonts",
                    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                        LBS_EXTENDEDSEL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                    0, panel1_.Handle(), ctl::LbFonts, listFont_.get());
    SendMessageA(lbFonts_, LB_SETITEMHEIGHT, 0, kListRowHeight);
    panel8_.Create(panel1_.Handle(), ctl::Panel8, "Panel8", PanelLook::Plain, this);
    Button1_ = CreateChild("BUTTON", "Button1", BS_PUSHBUTTON, 0, panel8_.Handle(), ctl::Button1);
    pb2_.Create(panel8_.Handle(), ctl::Pb2, "pb2", *this, host.Skin(), host.BarPresses(), paneArea,
                host.Tips());
    splitter2_.Create(paneArea, ctl::Splitter2, "Splitter2", SplitterAxis::Vertical, host,
                      &layout::PaneSizes::FontsPane, &layout::DraggedFontsPane,
                      PaneSplitter::PaneSide::Before, lbFonts_);
    drag_.Attach(lbFonts_, DragSource::Fonts, host, true);
    return lbFonts_ != nullptr;
}

void FontsPane::Layout(DeferBatch& batch, const layout::ClientLayout& l) const {
    Place(batch, panel1_.Handle(), l.Panel1);
    Place(batch, header_.Handle(), l.FontHeader);
    Place(batch, lbFonts_, l.LbFonts);
    Place(batch, panel8_.Handle(), l.Panel8);
    Place(batch, pb2_.Handle(), l.Pb2);
    Place(batch, splitter2_.Handle(), l.Splitter2);
}

namespace {

// The order of a sorted list box: by text, without regard to case.
bool NameBefore(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(),
                          static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

// A record with its name in UTF-16, the form the comparison takes.
struct SortEntry {
    FontDescr* Record;
    std::wstring Name;
};

bool EntryBefore(const SortEntry& a, const SortEntry& b) {
    return NameBefore(a.Name, b.Name);
}

} // namespace

void FontsPane::SetRecords(const FontList& records) {
    // Each name is turned into UTF-16 once, not once per comparison.
    std::vector<SortEntry> entries;
    entries.reserve(records.size());
    for (const std::unique_ptr<FontDescr>& record : records)
        entries.push_back({record.get(), WideFromUtf8(record->Name)});
    std::stable_sort(entries.begin(), entries.end(), EntryBefore);
    sorted_.clear();
    sorted_.reserve(entries.size());
    for (SortEntry& entry : entries)
        sorted_.push_back(entry.Record);
}

void FontsPane::ShowRecords(const SearchFilter& filter) const {
    // The selected fonts that are still shown stay selected, the focus too.
    const std::vector<FontDescr*> selected = SelectedRecords();
    const FontDescr* focus = CurrentRecord();
    const RedrawSuspended suspended(lbFonts_);
    List().Clear();
    std::vector<const FontDescr*> shown;
    std::size_t characters = 0;
    for (const FontDescr* record : sorted_)
        if (filter.Passes(record->Name)) {
            shown.push_back(record);
            characters += record->Name.size() + 1;
        }
    // Room for every row at once; the rows come in order, so none is sorted in.
    SendMessageA(lbFonts_, LB_INITSTORAGE, shown.size(), characters);
    for (const FontDescr* record : shown)
        List().Add(record->Name, reinterpret_cast<LPARAM>(record));
    if (!selected.empty())
        Select({selected.begin(), selected.end()}, focus);
}

void FontsPane::AddRecord(FontDescr* record, bool shown) {
    const std::wstring name = WideFromUtf8(record->Name);
    sorted_.insert(std::upper_bound(sorted_.begin(), sorted_.end(), name,
                                    [](const std::wstring& added, const FontDescr* listed) {
                                        return NameBefore(added, WideFromUtf8(listed->Name));
                                    }),
                   record);
    if (!shown)
        return;
    // The row goes after the rows of equal or smaller names.
    const ListBox list = List();
    int low = 0, high = list.Count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (NameBefore(name, list.WideText(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    const int row = list.Insert(low, record->Name);
    if (row >= 0)
        list.SetData(row, reinterpret_cast<LPARAM>(record));
}

void FontsPane::RemoveRecords(const std::unordered_set<const FontDescr*>& records) {
    sorted_.erase(
        std::remove_if(sorted_.begin(), sorted_.end(),
                       [&](const FontDescr* record) { return records.count(record) > 0; }),
        sorted_.end());
    const ListBox list = List();
    const RedrawSuspended suspended(lbFonts_);
    for (int row = list.Count() - 1; row >= 0; --row)
        if (records.count(reinterpret_cast<const FontDescr*>(list.Data(row))))
            list.Delete(row);
}

void FontsPane::Clear() {
    List().Clear();
    sorted_.clear();
}

const char* FontsPane::AddImage(const bars::Pressed& pressed) const {
    return bars::FontsBarAddImage(host_->SelectedCollectionRow() >= 0, pressed);
}

bool FontsPane::AnySelectedOff() const {
    const std::vector<FontDescr*> selected = SelectedRecords();
    return std::any_of(selected.begin(), selected.end(),
                       [](const FontDescr* record) { return !record->Installed; });
}

const char* FontsPane::ToggleImage(const bars::Pressed& pressed) const {
    // It switches every selected font: on when any of them is off.
    return bars::FontsBarToggleImage(CurrentRow() >= 0, !AnySelectedOff(), pressed);
}

const char* FontsPane::AddTip() const {
    return bars::FontsBarAddTip(host_->SelectedCollectionRow() >= 0);
}

const char* FontsPane::ToggleTip() const {
    const LRESULT selected = SendMessageA(lbFonts_, LB_GETSELCOUNT, 0, 0);
    return bars::FontsBarToggleTip(static_cast<int>(selected), AnySelectedOff());
}

std::optional<std::string> FontsPane::CountText() const {
    return bars::FontCountText(List().Count(), host_->FilteredTotal());
}

void FontsPane::ToggleAction() {
    // A click of the hidden button Button1, as the button itself would report it.
    SendMessageA(panel8_.Handle(), WM_COMMAND, MAKEWPARAM(ctl::Button1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Button1_));
}

int FontsPane::CurrentRow() const {
    if (SendMessageA(lbFonts_, LB_GETSELCOUNT, 0, 0) <= 0)
        return -1;
    return List().Caret();
}

FontDescr* FontsPane::CurrentRecord() const {
    const int row = CurrentRow();
    return row < 0 ? nullptr : reinterpret_cast<FontDescr*>(List().Data(row));
}

std::vector<FontDescr*> FontsPane::SelectedRecords() const {
    const LRESULT count = SendMessageA(lbFonts_, LB_GETSELCOUNT, 0, 0);
    std::vector<int> rows(count > 0 ? static_cast<std::size_t>(count) : 0);
    if (!rows.empty())
        SendMessageA(lbFonts_, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
    std::vector<FontDescr*> records;
    records.reserve(rows.size());
    for (int row : rows)
        if (auto* record = reinterpret_cast<FontDescr*>(List().Data(row)))
            records.push_back(record);
    return records;
}

void FontsPane::SelectAll() const {
    if (List().Count() > 0)
        SendMessageA(lbFonts_, LB_SELITEMRANGEEX, 0, List().Count() - 1);
}

void FontsPane::Select(const std::vector<const FontDescr*>& records, const FontDescr* focus) const {
    SendMessageA(lbFonts_, LB_SETSEL, FALSE, -1);
    const std::unordered_set<const FontDescr*> chosen(records.begin(), records.end());
    const ListBox list = List();
    int focusRow = -1, firstRow = -1;
    for (int row = 0; row < list.Count(); ++row) {
        const auto* record = reinterpret_cast<const FontDescr*>(list.Data(row));
        if (record == focus)
            focusRow = row;
        if (!chosen.count(record))
            continue;
        SendMessageA(lbFonts_, LB_SETSEL, TRUE, row);
        if (firstRow < 0)
            firstRow = row;
    }
    if (focusRow < 0)
        focusRow = firstRow;
    if (focusRow >= 0)
        SendMessageA(lbFonts_, LB_SETCARETINDEX, focusRow, FALSE);
}

int FontsPane::SelectForMenu(POINT screen) const {
    ScreenToClient(lbFonts_, &screen);
    const int row = List().RowAt(screen);
    if (row < 0)
        return row;
    if (SendMessageA(lbFonts_, LB_GETSEL, row, 0) <= 0) {
        SendMessageA(lbFonts_, LB_SETSEL, FALSE, -1);
        SendMessageA(lbFonts_, LB_SETSEL, TRUE, row);
    }
    SendMessageA(lbFonts_, LB_SETCARETINDEX, row, FALSE);
    return row;
}

POINT FontsPane::MenuPointForKeyboard() const {
    RECT item{};
    POINT at{0, 0};
    if (SendMessageA(lbFonts_, LB_GETITEMRECT, std::max(List().Caret(), 0),
                     reinterpret_cast<LPARAM>(&item)) != LB_ERR)
        at = {item.left + 10, item.bottom};
    ClientToScreen(lbFonts_, &at);
    return at;
}

void FontsPane::ApplySkinColours() {
    const ColourValues& colours = host_->Skin().Colours();
    header_.SetColours(AsColour(colours.HeaderBack), AsColour(colours.HeaderText));
}

std::optional<LRESULT> FontsPane::OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Rows carry data, so the list reports every row it removes; nothing is
    // to be freed (the records belong to the font list), and answering here
    // keeps a reset of thousands of rows from travelling up the panels.
    if (message == WM_DELETEITEM)
        return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem == lbFonts_
                   ? std::optional<LRESULT>(TRUE)
                   : std::nullopt;
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.hwndItem != lbFonts_)
            return std::nullopt;
        DrawListRow(item, ListKind::Fonts,
                    item.itemData != 0 &&
                        !reinterpret_cast<const FontDescr*>(item.itemData)->Installed,
                    host_->Skin().Colours());
        return TRUE;
    }
    if (message == WM_CTLCOLORLISTBOX && reinterpret_cast<HWND>(lParam) == lbFonts_)
        return ListBackground(host_->Skin(), reinterpret_cast<HDC>(wParam));
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == lbFonts_) {
        if (HIWORD(wParam) == LBN_SELCHANGE)
            host_->lbFontsClick();
        return 0;
    }
    if (message == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == lbFonts_) {
        host_->lbFontsContextPopup(
            POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    }
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == Button1_) {
        if (HIWORD(wParam) == BN_CLICKED)
            host_->Button1Click();
        return 0;
    }
    return std::nullopt;
}

} // namespace nq
