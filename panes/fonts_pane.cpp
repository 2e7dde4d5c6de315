#include "fonts_pane.h"

#include "child.h"
#include "client_skin.h"
#include "control_ids.h"
#include "list_drawing.h"
#include "place.h"
#include "text.h"

#include <algorithm>
#include <iterator>

namespace nq {

bool FontsPane::Create(HWND paneArea, PaneHost& host) {
    host_ = &host;
    if (!panel1_.Create(paneArea, ctl::Panel1, "Panel1", PanelLook::Plain, this))
        return false;
    header_.Create(panel1_.Handle(), ctl::FontHeader, "Font", PanelLook::Header);
    lbFonts_ =
        CreateChild("LISTBOX", "lbFonts",
                    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                        LBS_EXTENDEDSEL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                    0, panel1_.Handle(), ctl::LbFonts);
    panel8_.Create(panel1_.Handle(), ctl::Panel8, "Panel8", PanelLook::Plain, this);
    Button1_ = CreateChild("BUTTON", "Button1", BS_PUSHBUTTON, 0, panel8_.Handle(), ctl::Button1);
    pb2_.Create(panel8_.Handle(), ctl::Pb2, "pb2", *this, host.Skin(), host.BarPresses(), paneArea,
                host.Tips());
    splitter2_.Create(paneArea, ctl::Splitter2, "Splitter2", SplitterAxis::Vertical, host,
                      &layout::PaneSizes::FontsPane, &layout::DraggedFontsPane,
                      PaneSplitter::PaneSide::Before, lbFonts_);
    drag_.Attach(lbFonts_, DragSource::Fonts, host, true);
    if (!lbFonts_)
        return false;
    ApplyDpi();
    return true;
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

// The key the rows are ordered by: the name's sort key, without regard to
// case. Keys compare byte by byte as CompareStringW compares the names, so
// each name is weighed once rather than once per comparison.
std::string SortKey(const std::string& name) {
    const std::wstring wide = WideFromUtf8(name);
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int length = static_cast<int>(wide.size());
    const int bytes = LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.c_str(), length, nullptr, 0);
    if (bytes <= 0) // no key: the name's own UTF-16 units stand in
        return std::string(reinterpret_cast<const char*>(wide.data()),
                           wide.size() * sizeof(wchar_t));
    std::string key(static_cast<std::size_t>(bytes), '\0');
    LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.c_str(), length,
                 reinterpret_cast<LPWSTR>(key.data()), bytes);
    return key;
}

// For the pane's sort entries: by key (std::string compares bytes unsigned).
template <class Entry> bool EntryBefore(const Entry& a, const Entry& b) {
    return a.Key < b.Key;
}

} // namespace

void FontsPane::ShowRecords(const SearchFilter& filter) const {
    // The selected fonts that are still shown stay selected, the focus too.
    const std::vector<FontDescr*> selected = SelectedRecords();
    const FontDescr* focus = CurrentRecord();
    const RedrawSuspended suspended(lbFonts_);
    List().Clear();
    std::vector<const FontDescr*> shown;
    std::size_t characters = 0;
    for (const SortEntry& entry : sorted_)
        if (filter.Passes(entry.Record->Name)) {
            shown.push_back(entry.Record);
            characters += entry.Record->Name.size() + 1;
        }
    // Room for every row at once; the rows come in order, so none is sorted in.
    SendMessageA(lbFonts_, LB_INITSTORAGE, shown.size(), characters);
    for (const FontDescr* record : shown)
        List().Add(record->Name, reinterpret_cast<LPARAM>(record));
    if (!selected.empty())
        Select({selected.begin(), selected.end()}, focus);
}

void FontsPane::AddRecords(const std::vector<FontDescr*>& records, const SearchFilter& filter) {
    if (records.empty())
        return;
    std::vector<SortEntry> added;
    added.reserve(records.size());
    for (FontDescr* record : records)
        added.push_back({record, SortKey(record->Name)});
    std::stable_sort(added.begin(), added.end(), EntryBefore<SortEntry>);
    // Equal names keep the order they were read in: the earlier ones first.
    std::vector<SortEntry> merged;
    merged.reserve(sorted_.size() + added.size());
    std::merge(std::make_move_iterator(sorted_.begin()), std::make_move_iterator(sorted_.end()),
               std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()),
               std::back_inserter(merged), EntryBefore<SortEntry>);
    sorted_ = std::move(merged);

    // The rows are the shown records in this order: each new one goes in
    // after the shown ones before it. The rows go in from the top, so that
    // each row number counts the rows put in already.
    const ListBox list = List();
    const RedrawSuspended suspended(lbFonts_);
    std::size_t characters = 0;
    for (const FontDescr* record : records)
        characters += record->Name.size() + 1;
    SendMessageA(lbFonts_, LB_INITSTORAGE, records.size(), characters);
    // Rows put in above the focus move it down with its font. (A move leaves
    // a SortEntry's record pointer as it was.)
    int focus = list.Count() > 0 ? list.Caret() : -1;
    const int focusBefore = focus;
    std::size_t next = 0; // the next new record, in sorted order
    int row = 0;
    for (const SortEntry& entry : sorted_) {
        if (next == added.size())
            break;
        const bool isNew = entry.Record == added[next].Record;
        if (isNew)
            ++next;
        if (!filter.Passes(entry.Record->Name))
            continue;
        if (isNew) {
            const int at = list.Insert(row, entry.Record->Name);
            if (at >= 0)
                list.SetData(at, reinterpret_cast<LPARAM>(entry.Record));
            if (at >= 0 && focus >= 0 && at <= focus)
                ++focus;
        }
        ++row;
    }
    if (focus != focusBefore)
        SendMessageA(lbFonts_, LB_SETCARETINDEX, static_cast<WPARAM>(focus), FALSE);
}

void FontsPane::AddRecord(FontDescr* record, const SearchFilter& filter) {
    AddRecords({record}, filter);
}

void FontsPane::RemoveRecords(const std::unordered_set<const FontDescr*>& records) {
    sorted_.erase(
        std::remove_if(sorted_.begin(), sorted_.end(),
                       [&](const SortEntry& entry) { return records.count(entry.Record) > 0; }),
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
    if (std::optional<std::string> reading = host_->ListingText())
        return reading;
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
    return RowMenuPoint(lbFonts_, std::max(List().Caret(), 0), host_->Dpi());
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
                    host_->Skin().Colours(), host_->Dpi());
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
