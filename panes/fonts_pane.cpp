#include "fonts_pane.h"

#include "child.h"
#include "control_ids.h"
#include "list_drawing.h"
#include "place.h"
#include "ui_fonts.h"

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
                        LBS_SORT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                    0, panel1_.Handle(), ctl::LbFonts, listFont_.get());
    SendMessageA(lbFonts_, LB_SETITEMHEIGHT, 0, kListRowHeight);
    panel8_.Create(panel1_.Handle(), ctl::Panel8, "Panel8", PanelLook::Plain, this);
    Button1_ = CreateChild("BUTTON", "Button1", BS_PUSHBUTTON, 0, panel8_.Handle(), ctl::Button1);
    pb2_.Create(panel8_.Handle(), ctl::Pb2, "pb2", *this, host.Skin(), host.BarPresses(), paneArea);
    splitter2_.Create(paneArea, ctl::Splitter2, "Splitter2", SplitterAxis::Vertical, host,
                      &layout::PaneSizes::FontsPane, &layout::DraggedFontsPane,
                      PaneSplitter::PaneSide::Before, lbFonts_);
    drag_.Attach(lbFonts_, DragSource::Fonts, host);
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

void FontsPane::ShowRecords(const std::vector<std::unique_ptr<FontDescr>>& records,
                            const SearchFilter& filter) const {
    const RedrawSuspended suspended(lbFonts_);
    List().Clear();
    for (const std::unique_ptr<FontDescr>& record : records)
        if (filter.Passes(record->Name))
            AddRow(record.get());
}

void FontsPane::AddRow(FontDescr* record) const {
    List().Add(record->Name, reinterpret_cast<LPARAM>(record));
}

void FontsPane::RemoveRow(const FontDescr* record) const {
    const ListBox list = List();
    for (int row = list.Count() - 1; row >= 0; --row)
        if (list.Data(row) == reinterpret_cast<LPARAM>(record))
            list.Delete(row);
}

const char* FontsPane::AddImage(const bars::Pressed& pressed) const {
    return bars::FontsBarAddImage(host_->SelectedCollectionRow() >= 0, pressed);
}

const char* FontsPane::ToggleImage(const bars::Pressed& pressed) const {
    const FontDescr* record = CurrentRecord();
    return bars::FontsBarToggleImage(record != nullptr, record && record->Installed, pressed);
}

std::optional<std::string> FontsPane::CountText() const {
    return bars::FontCountText(List().Count(), host_->FilteredTotal());
}

void FontsPane::ToggleAction() {
    // A click of the hidden button Button1, as the button itself would report it.
    SendMessageA(panel8_.Handle(), WM_COMMAND, MAKEWPARAM(ctl::Button1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Button1_));
}

FontDescr* FontsPane::CurrentRecord() const {
    const int row = CurrentRow();
    return row < 0 ? nullptr : reinterpret_cast<FontDescr*>(List().Data(row));
}

std::optional<LRESULT> FontsPane::OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.hwndItem != lbFonts_)
            return std::nullopt;
        DrawListRow(item, ListKind::Fonts,
                    item.itemData != 0 &&
                        !reinterpret_cast<const FontDescr*>(item.itemData)->Installed);
        return TRUE;
    }
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == lbFonts_) {
        if (HIWORD(wParam) == LBN_SELCHANGE && !drag_.Ending())
            host_->lbFontsClick();
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
