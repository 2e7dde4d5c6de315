// TfrmMiddle: the collections list, the font catalogue with its search box,
// and the preview's font and size.
#include "frm_middle.h"

#include "collection_store.h"
#include "font_catalogue.h"
#include "int_text.h"
#include "listing_rules.h"
#include "wait_cursor.h"

#include <utility>

namespace {

constexpr const char* kNewCollectionCaption = "New Collection";

} // namespace

void TfrmMiddle::FillCollections() {
    collections_.Clear();
    for (const CollectionEntry& collection : EnumerateCollections(FontsRoot()))
        collections_.AddRow(collection.Name, collection.Off);
}

std::string TfrmMiddle::CollectionFolder(int row) const {
    return row == 0 ? FontsRoot() : FontsRoot() + collections_.RowText(row) + "\\";
}

bool TfrmMiddle::ReadCollectionState(int row) {
    if (row <= 0) // "All Fonts" is never off; CollectionOff keeps its value
        return true;
    const bool off = CollectionDisabled(CollectionFolder(row));
    collections_.SetRowOff(row, off);
    return std::exchange(collectionOff_, off) == off;
}

void TfrmMiddle::lbFoldersClick() {
    // Several rows may be highlighted; the one holding the focus counts.
    const int row = collections_.CurrentRow();
    if (row >= 0) {
        ReadCollectionState(row);
        ListFonts(CollectionFolder(row));
    }
    RefreshBars();
}

bool TfrmMiddle::FollowCurrentCollection() {
    const int row = collections_.CurrentRow();
    if (row < 0)
        return true;
    const bool held = ReadCollectionState(row);
    if (const std::string folder = CollectionFolder(row); listedFolder_ != folder)
        ListFonts(folder);
    RefreshBars();
    return held;
}

void TfrmMiddle::NewCollection() {
    FollowCurrentCollection();
    const std::optional<std::string> name = prompts_.QueryText(
        Handle(), kNewCollectionCaption, "Enter the name of the new Collection", "New Collection");
    if (!name)
        return;
    const std::string problem = CheckCollectionName(FontsRoot(), *name);
    if (!problem.empty()) {
        prompts_.Message(Handle(), kNewCollectionCaption, problem, MB_OK | MB_ICONWARNING);
        return;
    }
    if (!CreateCollectionFolder(FontsRoot(), *name)) {
        prompts_.Message(Handle(), kNewCollectionCaption,
                         "The collection \"" + *name + "\" could not be created.",
                         MB_OK | MB_ICONERROR);
        return;
    }
    // At the end, not selected: the list keeps its enumeration order.
    collections_.AddRow(*name, false);
}

void TfrmMiddle::ListFonts(const std::string& folder) {
    if (!fontList_)
        return;
    // The old listing stops before its records go: the rows refer to them.
    listing_.Cancel();
    relistRestore_.reset();
    listedFolder_ = folder;
    shownRecord_ = nullptr;
    fonts_.Clear();
    fontList_->clear();
    HWND window = Handle();
    listing_.Start(folder, Scope(), [window](unsigned generation) {
        PostMessageA(window, kFontsArrived, generation, 0);
    });
    RefreshBars();
}

void TfrmMiddle::FontsArrived() {
    std::vector<nq::ListingBatch> batches = listing_.TakeBatches();
    if (batches.empty() || !fontList_)
        return;
    std::vector<FontDescr*> arrived;
    for (nq::ListingBatch& batch : batches)
        for (std::unique_ptr<FontDescr>& record : batch.Records) {
            arrived.push_back(record.get());
            fontList_->push_back(std::move(record));
        }
    fonts_.AddRecords(arrived, search_.Filter());
    // Of the bars, only the fonts bar's count changes; each repaint of a
    // skinned bar is slow enough to count against the listing.
    fonts_.InvalidateBar();
    RestoreAfterRelisting();
}

void TfrmMiddle::FinishListing() {
    if (!listing_.Reading())
        return;
    const nq::WaitCursor wait;
    listing_.Wait();
    FontsArrived();
}

std::optional<std::string> TfrmMiddle::ListingText() const {
    if (!listing_.Reading())
        return std::nullopt;
    return nq::listing::ReadingText(listing_.FilesRead(), listing_.FilesTotal());
}

void TfrmMiddle::editSearchChange() {
    // Start-up sets the saved text before there is a FontList.
    if (!fontList_)
        return;
    // The typed text is a filter from its first character on: the flag is set
    // before the rows are chosen.
    search_.ActivateOnTyping();
    fonts_.ShowRecords(search_.Filter());
    RefreshBars();
}

void TfrmMiddle::editSearchClick() {
    search_.ClearPlaceholder();
}

void TfrmMiddle::editSearchExit() {
    search_.ResetWhenEmpty();
}

bool TfrmMiddle::ListingACollection() const {
    return listedFolder_ && *listedFolder_ != FontsRoot();
}

void TfrmMiddle::lbFontsClick() {
    // At most one private font at a time: the previous one goes first.
    preview_.ReleasePrivateFont();
    previewIndex_ = -1;
    const FontDescr* record = fonts_.CurrentRecord();
    shownRecord_ = record;
    if (!record)
        return;
    // The file names the face to show; "All Fonts" is installed already, the
    // fonts of a collection are loaded for this process only.
    preview_.OpenFontFile(record->Path, ListingACollection());
    if (ListingACollection())
        previewIndex_ = fonts_.CurrentRow();
    preview_.ShowSample(record->Name, previewSize_);
    preview_.ShowDetails(record->Name, record->Copyright, record->Trademark, record->Family,
                         record->FaceCount);
    RefreshBars();
}

bool TfrmMiddle::FollowCurrentFont() {
    const FontDescr* record = fonts_.CurrentRecord();
    if (!record || record == shownRecord_)
        return true;
    lbFontsClick();
    return false;
}

void TfrmMiddle::ComboBox1Change() {
    const std::string text = preview_.SizeText();
    const FontDescr* record = fonts_.CurrentRecord();
    if (text.empty() || !record)
        return;
    const std::optional<int> size = ParseInt(text);
    if (!size) {
        prompts_.Message(Handle(), "NimbQuillbox", "'" + text + "' is not a valid integer value",
                         MB_OK | MB_ICONERROR);
        return;
    }
    previewSize_ = *size;
    preview_.SetSampleFont(record->Name, previewSize_);
    preview_.RepaintDetails();
}

void TfrmMiddle::ShowProblems() {
    problemsView_.Open(Handle());
}
