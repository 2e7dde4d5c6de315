#include "collections_pane.h"

#include "child.h"
#include "client_skin.h"
#include "control_ids.h"
#include "list_drawing.h"
#include "place.h"
#include "text.h"
#include "ui_fonts.h"

namespace nq {

bool CollectionsPane::Create(HWND paneArea, PaneHost& host) {
    host_ = &host;
    headerFont_ = CreateUiFont(-11);
    listFont_ = CreateUiFont(-11);
    if (!panel3_.Create(paneArea, ctl::Panel3, "Panel3", PanelLook::Plain, this))
        return false;
    header_.Create(panel3_.Handle(), ctl::CollectionHeader, "Collection", PanelLook::Header,
                   nullptr, AsFont(headerFont_));
    header_.SetMouseHandler([this](UINT message, POINT) {
        if (message == WM_LBUTTONUP)
            host_->CollectionHeaderClick();
    });
    // The window text names the list for outside tools; a list box never shows it.
    lbFolders_ =
        CreateChild("LISTBOX", "lbFolders",
                    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                        LBS_EXTENDEDSEL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                    0, panel3_.Handle(), ctl::LbFolders, listFont_.get());
    SendMessageA(lbFolders_, LB_SETITEMHEIGHT, 0, kListRowHeight);
    panel9_.Create(panel3_.Handle(), ctl::Panel9, "Panel9", PanelLook::Plain, this);
    Button2_ = CreateChild("BUTTON", "Button2", BS_PUSHBUTTON, 0, panel9_.Handle(), ctl::Button2);
    pb4_.Create(panel9_.Handle(), ctl::Pb4, "pb4", *this, host.Skin(), host.BarPresses(), paneArea,
                host.Tips());
    splitter1_.Create(paneArea, ctl::Splitter1, "Splitter1", SplitterAxis::Vertical, host,
                      &layout::PaneSizes::CollectionsPane, &layout::DraggedCollectionsPane,
                      PaneSplitter::PaneSide::Before, lbFolders_);
    drag_.Attach(lbFolders_, DragSource::Folders, host);
    return lbFolders_ != nullptr;
}

void CollectionsPane::Layout(DeferBatch& batch, const layout::ClientLayout& l) const {
    Place(batch, panel3_.Handle(), l.Panel3);
    Place(batch, header_.Handle(), l.CollectionHeader);
    Place(batch, lbFolders_, l.LbFolders);
    Place(batch, panel9_.Handle(), l.Panel9);
    Place(batch, pb4_.Handle(), l.Pb4);
    Place(batch, splitter1_.Handle(), l.Splitter1);
}

void CollectionsPane::SetHeading(const std::string& text, const std::string& tip) const {
    SetWindowTextUtf8(header_.Handle(), text);
    InvalidateRect(header_.Handle(), nullptr, FALSE);
    // The tool covers the header at any size it is laid out at.
    host_->Tips().Set(header_.Handle(), ctl::CollectionHeader, RECT{0, 0, 32767, 32767}, tip);
}

void CollectionsPane::Clear() const {
    List().Clear();
    AddRow(kAllFonts, false);
}

void CollectionsPane::AddRow(const std::string& name, bool off) const {
    List().Add(name, off ? 1 : 0);
}

int CollectionsPane::CurrentRow() const {
    const int row = List().Caret();
    return row >= 0 && SendMessageA(lbFolders_, LB_GETSEL, static_cast<WPARAM>(row), 0) > 0 ? row
                                                                                            : -1;
}

const char* CollectionsPane::AddImage(const bars::Pressed& pressed) const {
    return bars::CollectionsBarAddImage(pressed);
}

const char* CollectionsPane::ToggleImage(const bars::Pressed& pressed) const {
    return bars::CollectionsBarToggleImage(CurrentRow(), host_->CollectionOff(), pressed);
}

const char* CollectionsPane::ToggleTip() const {
    return bars::CollectionsBarToggleTip(host_->CollectionOff());
}

void CollectionsPane::ToggleAction() {
    // A click of the hidden button Button2, as the button itself would report it.
    SendMessageA(panel9_.Handle(), WM_COMMAND, MAKEWPARAM(ctl::Button2, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Button2_));
}

void CollectionsPane::SetRowOff(int row, bool off) const {
    if ((List().Data(row) != 0) == off)
        return;
    List().SetData(row, off ? 1 : 0);
    InvalidateRect(lbFolders_, nullptr, TRUE);
}

int CollectionsPane::RowAt(POINT screen) const {
    ScreenToClient(lbFolders_, &screen);
    RECT client;
    GetClientRect(lbFolders_, &client);
    return PtInRect(&client, screen) ? List().RowAt(screen) : -1;
}

void CollectionsPane::SetRowText(int row, const std::string& text) const {
    const ListBox list = List();
    if (row < 0 || row >= list.Count())
        return;
    const LPARAM data = list.Data(row);
    const bool selected = SendMessageA(lbFolders_, LB_GETSEL, row, 0) > 0;
    const int caret = list.Caret();
    const int top = static_cast<int>(SendMessageA(lbFolders_, LB_GETTOPINDEX, 0, 0));
    const RedrawSuspended suspended(lbFolders_);
    list.Delete(row);
    list.Insert(row, text);
    list.SetData(row, data);
    if (selected)
        SendMessageA(lbFolders_, LB_SETSEL, TRUE, row);
    if (caret >= 0)
        SendMessageA(lbFolders_, LB_SETCARETINDEX, caret, FALSE);
    SendMessageA(lbFolders_, LB_SETTOPINDEX, top, 0);
}

void CollectionsPane::ClickRow(int row) const {
    SendMessageA(lbFolders_, LB_SETSEL, FALSE, -1);
    SendMessageA(lbFolders_, LB_SETSEL, TRUE, row);
    SendMessageA(lbFolders_, LB_SETCARETINDEX, row, FALSE);
    host_->lbFoldersClick();
}

POINT CollectionsPane::MenuPointForKeyboard() const {
    RECT item{};
    POINT at{0, 0};
    const int row = List().Caret();
    if (row >= 0 &&
        SendMessageA(lbFolders_, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item)) != LB_ERR)
        at = {item.left + 10, item.bottom};
    ClientToScreen(lbFolders_, &at);
    return at;
}

void CollectionsPane::ApplySkinColours() {
    const ColourValues& colours = host_->Skin().Colours();
    header_.SetColours(AsColour(colours.HeaderBack), AsColour(colours.HeaderText));
}

std::optional<LRESULT> CollectionsPane::OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Rows carry data, so the list reports every row it removes; nothing is
    // to be freed (the records belong to the font list), and answering here
    // keeps a reset of thousands of rows from travelling up the panels.
    if (message == WM_DELETEITEM)
        return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem == lbFolders_
                   ? std::optional<LRESULT>(TRUE)
                   : std::nullopt;
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.hwndItem != lbFolders_)
            return std::nullopt;
        DrawListRow(item, ListKind::Folders,
                    static_cast<int>(item.itemID) > 0 && item.itemData != 0,
                    host_->Skin().Colours());
        return TRUE;
    }
    if (message == WM_CTLCOLORLISTBOX && reinterpret_cast<HWND>(lParam) == lbFolders_)
        return ListBackground(host_->Skin(), reinterpret_cast<HDC>(wParam));
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == lbFolders_) {
        if (HIWORD(wParam) == LBN_SELCHANGE)
            host_->lbFoldersClick();
        return 0;
    }
    if (message == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == lbFolders_) {
        host_->lbFoldersContextPopup(
            POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    }
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == Button2_) {
        if (HIWORD(wParam) == BN_CLICKED)
            host_->Button2Click();
        return 0;
    }
    return std::nullopt;
}

} // namespace nq
