// TfrmMiddle: switching fonts and collections on and off, adding fonts,
// moving them to another collection and sending fonts and collections to the
// recycle bin.
#include "frm_middle.h"

#include "collection_store.h"
#include "file_operations.h"
#include "font_activation.h"
#include "font_batch.h"
#include "wait_cursor.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr const char* kApplicationTitle = "NimbQuillbox";

} // namespace

void TfrmMiddle::ShowError(const std::string& text) {
    prompts_.Message(Handle(), kApplicationTitle, text, MB_OK | MB_ICONERROR);
}

void TfrmMiddle::Button1Click() {
    const std::vector<FontDescr*> selected = fonts_.SelectedRecords();
    // The bar offered the switch of the fonts it described; when the preview
    // had fallen behind the focused row, bar and preview now describe it and
    // nothing is switched.
    if (selected.empty() || !FollowCurrentFont())
        return;
    const bool on = SwitchesOn(selected);
    const nq::WaitCursor wait;
    const BatchResult result = SwitchFonts(selected, on, Scope());
    fonts_.Repaint();
    RefreshBars();
    if (result.Failed.size() == 1 && selected.size() == 1)
        ShowError(result.Failed.front().Reason);
    else if (!result.Failed.empty())
        ShowError(BatchFailureReport(on ? "switched on" : "switched off", selected.size(),
                                     result.Failed));
}

void TfrmMiddle::Button2Click() {
    const int row = collections_.CurrentRow();
    if (row <= 0 || !fontList_)
        return;
    const nq::WaitCursor wait;
    // The bar offered the switch CollectionOff called for. When the folder
    // says otherwise (switched meanwhile, or a view that had fallen behind the
    // current row), the bar now shows the truth and nothing is switched: a
    // switch-off must never write over the list of a collection that is off.
    if (!FollowCurrentCollection())
        return;
    // The switch covers every font of the collection.
    FinishListing();
    const std::string folder = CollectionFolder(row);
    const std::string error = collectionOff_ ? SwitchCollectionOn(*fontList_, folder, Scope())
                                             : SwitchCollectionOff(*fontList_, folder, Scope());
    if (error.empty()) {
        collectionOff_ = !collectionOff_;
        collections_.SetRowOff(row, collectionOff_);
    }
    // Fonts may have changed even when the switch stopped half-way.
    fonts_.Repaint();
    RefreshBars();
    if (!error.empty())
        ShowError(error);
}

std::string TfrmMiddle::AdditionFolder() const {
    return listedFolder_.value_or(FontsRoot());
}

void TfrmMiddle::AppendRecord(std::unique_ptr<FontDescr> record) {
    if (!fontList_)
        return;
    FontDescr* added = record.get();
    fontList_->push_back(std::move(record));
    fonts_.AddRecord(added, search_.Filter());
    RefreshBars();
}

void TfrmMiddle::RemoveRecords(const std::vector<FontDescr*>& records) {
    if (records.empty())
        return;
    const std::unordered_set<const FontDescr*> leaving(records.begin(), records.end());
    if (leaving.count(shownRecord_))
        shownRecord_ = nullptr;
    fonts_.RemoveRecords(leaving);
    if (fontList_)
        fontList_->erase(std::remove_if(fontList_->begin(), fontList_->end(),
                                        [&](const std::unique_ptr<FontDescr>& record) {
                                            return leaving.count(record.get()) > 0;
                                        }),
                         fontList_->end());
    RefreshBars();
}

void TfrmMiddle::AddFontByDialog() {
    // The font goes to the highlighted collection, listed by now (whole, so
    // that the listing does not find the copy a second time).
    FollowCurrentCollection();
    FinishListing();
    const std::optional<std::string> chosen =
        prompts_.OpenFile(Handle(), "Font Files (*.fon, *.ttf, *.otf, *.ttc, *.otc)",
                          "*.fon;*.ttf;*.otf;*.ttc;*.otc");
    if (!chosen)
        return;
    const std::string target = TargetPath(AdditionFolder(), *chosen);
    if (!CopyFontFile(*chosen, target)) {
        prompts_.Message(Handle(), kAddFontCaption, kAlreadyInCollectionText,
                         MB_OK | MB_ICONWARNING);
        return;
    }
    std::unique_ptr<FontDescr> record = AddFontFile(target, Scope());
    if (!record) {
        // The copy stays; listings pass over what is no font.
        prompts_.Message(Handle(), kAddFontCaption, kNotAFontText, MB_OK | MB_ICONERROR);
        return;
    }
    AppendRecord(std::move(record));
}

void TfrmMiddle::FileDrop1Drop(nq::TFileDrop& sender) {
    const nq::WaitCursor wait;
    FollowCurrentCollection();
    FinishListing();
    for (const std::string& dropped : sender.Files()) {
        const std::string target = TargetPath(AdditionFolder(), dropped);
        if (!CopyFontFile(dropped, target)) {
            prompts_.Message(Handle(), kAddFontCaption, kAlreadyInCollectionText,
                             MB_OK | MB_ICONWARNING);
            continue;
        }
        if (std::unique_ptr<FontDescr> record = AddDroppedFontFile(target, Scope()))
            AppendRecord(std::move(record));
        else
            prompts_.Message(Handle(), kAddFontCaption, kNotAFontText, MB_OK | MB_ICONERROR);
    }
}

bool TfrmMiddle::lbFoldersDragOver(nq::DragSource source) const {
    return source == nq::DragSource::Fonts && fonts_.CurrentRow() >= 0;
}

void TfrmMiddle::lbFoldersDragDrop(nq::DragSource source, POINT screen) {
    if (!lbFoldersDragOver(source))
        return;
    FollowCurrentFont();
    if (const int row = collections_.RowAt(screen); row >= 0)
        MoveSelectedFonts(row);
}

bool TfrmMiddle::ToolbarDragOver(nq::DragSource, POINT toolbarPoint) const {
    // Both lists' rows may go to the trash, and nothing else.
    return toolbarPoint.x >= 0 && toolbarPoint.x < nq::Scaled(layout::kTrashAreaWidth, dpi_);
}

void TfrmMiddle::ToolbarDragDrop(nq::DragSource source, POINT toolbarPoint) {
    if (!ToolbarDragOver(source, toolbarPoint))
        return;
    if (source == nq::DragSource::Folders)
        TrashCurrentCollection();
    else
        TrashSelectedFonts();
}

void TfrmMiddle::ToolbarMouseUp(POINT toolbarPoint) {
    if (toolbarPoint.x < nq::Scaled(layout::kTrashAreaWidth, dpi_))
        OpenRecycleBin();
    else // the drag of the frame ends here too
        frmTop_.StopDrag();
}

bool TfrmMiddle::DragOver(nq::DragSource source, POINT screen) {
    if (collections_.RowAt(screen) >= 0)
        return lbFoldersDragOver(source);
    POINT onToolbar = screen;
    ScreenToClient(toolbar_.Handle(), &onToolbar);
    RECT toolbar;
    GetClientRect(toolbar_.Handle(), &toolbar);
    return PtInRect(&toolbar, onToolbar) && ToolbarDragOver(source, onToolbar);
}

void TfrmMiddle::DragDrop(nq::DragSource source, POINT screen) {
    if (collections_.RowAt(screen) >= 0) {
        lbFoldersDragDrop(source, screen);
        return;
    }
    POINT onToolbar = screen;
    ScreenToClient(toolbar_.Handle(), &onToolbar);
    ToolbarDragDrop(source, onToolbar);
}
