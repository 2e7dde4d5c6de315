// TfrmMiddle: the commands that keys, the right-click menus, the bar buttons
// and drags share (one handler each), and the menus themselves.
#include "frm_middle.h"

#include "batch_report.h"
#include "collection_rename.h"
#include "collection_store.h"
#include "file_operations.h"
#include "font_batch.h"
#include "text.h"
#include "wait_cursor.h"

#include <algorithm>

namespace {

constexpr const char* kRenameCaption = "Rename Collection";

// Builds the popup menu of items; an item's ID is its place in
// menus::Commands(items), counted from 1.
void AppendItems(HMENU menu, const std::vector<nq::menus::Item>& items, UINT& nextId) {
    for (const nq::menus::Item& item : items) {
        const std::wstring text = nq::WideFromUtf8(item.Text);
        if (!item.Submenu.empty()) {
            HMENU submenu = CreatePopupMenu(); // owned by menu once appended
            AppendItems(submenu, item.Submenu, nextId);
            AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu),
                        text.c_str());
        } else if (item.Runs == nq::Command::None) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING, nextId++, text.c_str());
        }
    }
}

} // namespace

void TfrmMiddle::RunCommand(nq::Command command, int argument) {
    using nq::Command;
    switch (command) {
    case Command::None:
        return;
    case Command::SwitchFonts:
        Button1Click();
        return;
    case Command::SwitchCollection:
        Button2Click();
        return;
    case Command::TrashFonts:
        TrashSelectedFonts();
        return;
    case Command::TrashCollection:
        TrashCurrentCollection();
        return;
    case Command::MoveFonts:
        MoveSelectedFonts(argument);
        return;
    case Command::CopyFontNames:
        CopySelectedFontNames();
        return;
    case Command::ShowFontInFolder:
        ShowCurrentFontInFolder();
        return;
    case Command::OpenFolder:
        OpenCollectionFolder();
        return;
    case Command::RenameCollection:
        RenameCollection();
        return;
    case Command::NewCollection:
        NewCollection();
        return;
    case Command::RefreshCollection:
        RefreshCollection();
        return;
    case Command::FocusSearch:
        FocusSearch();
        return;
    case Command::ClearSearch:
        ClearSearch();
        return;
    case Command::SelectAllFonts:
        SelectAllFonts();
        return;
    case Command::PreviewFont:
        lbFontsClick();
        return;
    case Command::NextControl:
    case Command::PreviousControl:
        MoveFocus(command == Command::NextControl);
        return;
    case Command::ShowProblems:
        ShowProblems();
        return;
    }
}

void TfrmMiddle::TrashSelectedFonts() {
    FollowCurrentFont();
    const std::vector<FontDescr*> selected = fonts_.SelectedRecords();
    if (selected.empty())
        return;
    if (prompts_.Message(Handle(), kTrashCaption,
                         TrashFontsQuestion(selected.size(), selected.front()->Name),
                         MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const nq::WaitCursor wait;
    const BatchResult result = TrashFonts(Handle(), selected, Scope());
    RemoveRecords(result.Done);
    if (result.Failed.empty())
        return;
    prompts_.Message(Handle(), kTrashCaption,
                     selected.size() == 1 ? result.Failed.front().Reason
                                          : BatchFailureReport("moved to the recycle bin",
                                                               selected.size(), result.Failed),
                     MB_OK | MB_ICONERROR);
}

void TfrmMiddle::TrashCurrentCollection() {
    const int row = collections_.CurrentRow();
    if (row <= 0 || !fontList_)
        return;
    // The question comes with the collection listed, every font of it: those
    // switched on are switched off on the way to the trash.
    FollowCurrentCollection();
    FinishListing();
    if (prompts_.Message(Handle(), kTrashCaption,
                         "Are you sure you want move this collection to the trash?",
                         MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const std::string folder = CollectionFolder(row);
    const nq::WaitCursor wait;
    if (const std::string error = TrashCollection(Handle(), *fontList_, folder, Scope());
        !error.empty()) {
        prompts_.Message(Handle(), kTrashCaption, error, MB_OK | MB_ICONERROR);
        return;
    }
    collections_.List().Delete(row);
    fonts_.Clear();
    fontList_->clear();
    listedFolder_.reset();
    shownRecord_ = nullptr;
    RefreshBars();
}

void TfrmMiddle::MoveSelectedFonts(int collectionRow) {
    const std::vector<FontDescr*> selected = fonts_.SelectedRecords();
    if (collectionRow < 0 || collectionRow >= collections_.List().Count() || selected.empty())
        return;
    const nq::WaitCursor wait;
    const BatchResult result = MoveFonts(selected, CollectionFolder(collectionRow), Scope());
    RemoveRecords(result.Done);
    if (result.Failed.empty())
        return;
    prompts_.Message(Handle(), kMoveFontCaption,
                     selected.size() == 1
                         ? result.Failed.front().Reason
                         : BatchFailureReport("moved to " + collections_.RowText(collectionRow),
                                              selected.size(), result.Failed),
                     MB_OK | MB_ICONWARNING);
}

void TfrmMiddle::CopySelectedFontNames() {
    std::string names;
    for (const FontDescr* record : fonts_.SelectedRecords())
        names += (names.empty() ? "" : "\r\n") + record->Name;
    if (names.empty() || !OpenClipboard(Handle()))
        return;
    EmptyClipboard();
    const std::wstring text = nq::WideFromUtf8(names);
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* data = GlobalLock(block)) {
            std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(data));
            GlobalUnlock(block);
            // The clipboard owns the block once it took it.
            if (!SetClipboardData(CF_UNICODETEXT, block))
                GlobalFree(block);
        } else {
            GlobalFree(block);
        }
    }
    CloseClipboard();
}

void TfrmMiddle::ShowCurrentFontInFolder() {
    FollowCurrentFont();
    const FontDescr* record = fonts_.CurrentRecord();
    if (!record)
        return;
    if (!prompts_.ShowInExplorer(record->Path, true))
        ShowError("Explorer could not be started to show " + record->Path + ".");
}

void TfrmMiddle::OpenCollectionFolder() {
    const int row = collections_.CurrentRow();
    if (row < 0)
        return;
    const std::string folder = CollectionFolder(row);
    if (!prompts_.ShowInExplorer(folder, false))
        ShowError("Explorer could not be started to show " + folder + ".");
}

void TfrmMiddle::RenameCollection() {
    const int row = collections_.CurrentRow();
    if (row <= 0 || !fontList_)
        return;
    FollowCurrentCollection();
    const std::string oldName = collections_.RowText(row);
    const std::optional<std::string> newName = prompts_.QueryText(
        Handle(), kRenameCaption, "Enter the new name of the collection", oldName);
    if (!newName || *newName == oldName)
        return;
    if (const std::string problem = CheckCollectionRename(FontsRoot(), oldName, *newName);
        !problem.empty()) {
        prompts_.Message(Handle(), kRenameCaption, problem, MB_OK | MB_ICONWARNING);
        return;
    }
    const nq::WaitCursor wait;
    // Fonts copied in since the listing are switched too: every one of them.
    RefreshCollection();
    FinishListing();
    const RenameResult renamed =
        RenameCollectionFolder(*fontList_, FontsRoot(), oldName, *newName, Scope());
    if (renamed.Renamed) {
        collections_.SetRowText(row, *newName);
        listedFolder_ = CollectionFolder(row);
        fonts_.Repaint();
        RefreshBars();
    }
    if (!renamed.Message.empty())
        prompts_.Message(Handle(), kRenameCaption, renamed.Message,
                         MB_OK | (renamed.Renamed ? MB_ICONWARNING : MB_ICONERROR));
}

void TfrmMiddle::RefreshCollection() {
    const int row = collections_.CurrentRow();
    if (row < 0 || !fontList_)
        return;
    // The selection, the focus and the scroll position are kept by path (the
    // records are new) and given back when the listing is done.
    RelistRestore restore;
    for (const FontDescr* record : fonts_.SelectedRecords())
        restore.SelectedPaths.insert(LowerAZ(record->Path));
    if (const FontDescr* current = fonts_.CurrentRecord())
        restore.FocusPath = LowerAZ(current->Path);
    restore.Top = static_cast<int>(SendMessageA(fonts_.List().Handle(), LB_GETTOPINDEX, 0, 0));

    ReadCollectionState(row);
    ListFonts(CollectionFolder(row));
    relistRestore_ = std::move(restore);
    RestoreAfterRelisting();
}

void TfrmMiddle::RestoreAfterRelisting() {
    if (!relistRestore_ || listing_.Reading())
        return;
    const RelistRestore restore = std::move(*relistRestore_);
    relistRestore_.reset();
    std::vector<const FontDescr*> keep;
    const FontDescr* focus = nullptr;
    for (const std::unique_ptr<FontDescr>& record : *fontList_) {
        const std::string path = LowerAZ(record->Path);
        if (restore.SelectedPaths.count(path))
            keep.push_back(record.get());
        if (!restore.FocusPath.empty() && path == restore.FocusPath)
            focus = record.get();
    }
    fonts_.Select(keep, focus);
    SendMessageA(fonts_.List().Handle(), LB_SETTOPINDEX, std::max(restore.Top, 0), 0);
    lbFontsClick();
}

void TfrmMiddle::FocusSearch() {
    search_.Focus();
}

void TfrmMiddle::ClearSearch() {
    search_.Clear();
}

void TfrmMiddle::SelectAllFonts() {
    fonts_.SelectAll();
    FollowCurrentFont();
    fonts_.Repaint();
    RefreshBars();
}

void TfrmMiddle::PopupCommands(const std::vector<nq::menus::Item>& items, POINT screen) {
    const nq::UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        return;
    UINT nextId = 1;
    AppendItems(menu.get(), items, nextId);
    const std::vector<const nq::menus::Item*> commands = nq::menus::Commands(items);
    const UINT chosen = prompts_.PopupMenu(Handle(), menu.get(), screen);
    if (chosen >= 1 && chosen <= commands.size())
        RunCommand(commands[chosen - 1]->Runs, commands[chosen - 1]->Argument);
}

void TfrmMiddle::lbFontsContextPopup(POINT screen) {
    const bool byKeyboard = screen.x == -1 && screen.y == -1;
    if (byKeyboard)
        screen = fonts_.MenuPointForKeyboard();
    else if (fonts_.SelectForMenu(screen) < 0)
        return;
    // The menu is about the fonts the preview and the bar now describe.
    lbFontsClick();
    const std::vector<FontDescr*> selected = fonts_.SelectedRecords();
    if (selected.empty())
        return;
    std::vector<nq::menus::MoveTarget> targets;
    for (int row = 0; row < collections_.List().Count(); ++row)
        if (CollectionFolder(row) != listedFolder_)
            targets.push_back({row, collections_.RowText(row)});
    PopupCommands(
        nq::menus::FontRowsMenu(static_cast<int>(selected.size()), SwitchesOn(selected), targets),
        screen);
}

void TfrmMiddle::lbFoldersContextPopup(POINT screen) {
    int row = collections_.CurrentRow();
    if (screen.x == -1 && screen.y == -1) {
        screen = collections_.MenuPointForKeyboard();
    } else {
        row = collections_.RowAt(screen);
        // A right click on a row makes it the current collection, listed.
        if (row >= 0 && row != collections_.CurrentRow())
            collections_.ClickRow(row);
    }
    if (row < 0) {
        PopupCommands(nq::menus::CollectionsBlankMenu(), screen);
        return;
    }
    FollowCurrentCollection();
    PopupCommands(nq::menus::CollectionRowMenu(row, collectionOff_), screen);
}
