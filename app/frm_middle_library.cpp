// TfrmMiddle: the collections list, the font catalogue with its search box,
// and the preview's font and size.
#include "frm_middle.h"

#include "collection_store.h"
#include "font_catalogue.h"
#include "glyphscan.h"
#include "int_text.h"
#include "search_filter.h"
#include "settings.h"

namespace {

constexpr const char* kAllFonts = "All Fonts";
constexpr const char* kNewCollectionCaption = "New Collection";

void AddCollectionRow(HWND list, const std::string& name, bool off) {
    const LRESULT row = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (row >= 0)
        SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(row), off ? 1 : 0);
}

// Suspends a list's repainting while its rows are rebuilt.
class RedrawSuspended {
  public:
    explicit RedrawSuspended(HWND list) : list_(list) {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;
    ~RedrawSuspended() {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }

  private:
    HWND list_;
};

} // namespace

void TfrmMiddle::FillCollections() {
    HWND list = ctl_.lbFolders;
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    AddCollectionRow(list, kAllFonts, false);
    for (const CollectionEntry& collection : EnumerateCollections(FontsRoot()))
        AddCollectionRow(list, collection.Name, collection.Off);
}

void TfrmMiddle::lbFoldersClick() {
    HWND list = ctl_.lbFolders;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    // Several rows may be highlighted; the one holding the focus counts.
    const LRESULT row = SendMessageA(list, LB_GETCARETINDEX, 0, 0);
    if (count <= 0 || row < 0 || row >= count)
        return;
    if (row == 0) {
        ListFonts(FontsRoot());
        return;
    }
    const std::string folder = FontsRoot() + RowText(list, static_cast<int>(row)) + "\\";
    collectionOff_ = CollectionDisabled(folder);
    ListFonts(folder);
}

void TfrmMiddle::NewCollection() {
    const std::optional<std::string> name = prompts_.QueryText(
        hwnd_, kNewCollectionCaption, "Enter the name of the new Collection", "New Collection");
    if (!name)
        return;
    const std::string problem = CheckCollectionName(FontsRoot(), *name);
    if (!problem.empty()) {
        prompts_.Message(hwnd_, kNewCollectionCaption, problem, MB_OK | MB_ICONWARNING);
        return;
    }
    if (!CreateCollectionFolder(FontsRoot(), *name)) {
        prompts_.Message(hwnd_, kNewCollectionCaption,
                         "The collection \"" + *name + "\" could not be created.",
                         MB_OK | MB_ICONERROR);
        return;
    }
    // At the end, not selected: the list keeps its enumeration order.
    AddCollectionRow(ctl_.lbFolders, *name, false);
}

void TfrmMiddle::AddFontRow(FontDescr* record) {
    const LRESULT row =
        SendMessageA(ctl_.lbFonts, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record->Name.c_str()));
    if (row >= 0)
        SendMessageA(ctl_.lbFonts, LB_SETITEMDATA, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(record));
}

void TfrmMiddle::ListFonts(const std::string& folder) {
    if (!fontList_)
        return;
    RedrawSuspended suspended(ctl_.lbFonts);
    SendMessageA(ctl_.lbFonts, LB_RESETCONTENT, 0, 0);
    fontList_->clear();
    const std::string searchText = WindowText(ctl_.editSearch);
    ScanFontFolder(folder, FontsRoot(), [&](std::unique_ptr<FontDescr> record) {
        FontDescr* added = record.get();
        fontList_->push_back(std::move(record));
        if (PassesSearchFilter(added->Name, searchText, searchActive_))
            AddFontRow(added);
    });
}

void TfrmMiddle::editSearchChange() {
    // Start-up sets the saved text before there is a FontList.
    if (!fontList_)
        return;
    const std::string text = WindowText(ctl_.editSearch);
    // The typed text is a filter from its first character on: the flag is set
    // before the rows are chosen.
    if (!searchResetting_ && !text.empty() && !searchActive_) {
        searchActive_ = true;
        InvalidateRect(ctl_.editSearch, nullptr, TRUE); // black text
    }
    const bool showAll = text.empty() || !searchActive_;
    const std::string lowerText = LowerAZ(text);
    RedrawSuspended suspended(ctl_.lbFonts);
    SendMessageA(ctl_.lbFonts, LB_RESETCONTENT, 0, 0);
    for (const std::unique_ptr<FontDescr>& record : *fontList_)
        if (showAll || LowerAZ(record->Name).find(lowerText) != std::string::npos)
            AddFontRow(record.get());
}

void TfrmMiddle::editSearchClick() {
    if (!searchActive_ && WindowText(ctl_.editSearch) == settings::kSearchPlaceholder)
        SetSearchText("");
}

void TfrmMiddle::editSearchExit() {
    searchResetting_ = true;
    if (WindowText(ctl_.editSearch).empty())
        searchActive_ = false;
    if (!searchActive_)
        SetSearchText(settings::kSearchPlaceholder);
    InvalidateRect(ctl_.editSearch, nullptr, TRUE); // silver placeholder or black filter
    searchResetting_ = false;
}

void TfrmMiddle::lbFontsClick() {
    // At most one private font at a time: the previous one goes first.
    previewFontMemory_.reset();
    previewIndex_ = -1;
    const LRESULT row = SendMessageA(ctl_.lbFonts, LB_GETCURSEL, 0, 0);
    if (row < 0)
        return;
    const LRESULT data = SendMessageA(ctl_.lbFonts, LB_GETITEMDATA, static_cast<WPARAM>(row), 0);
    const auto* record = reinterpret_cast<const FontDescr*>(data);
    if (!record || data == LB_ERR)
        return;
    // The fonts of "All Fonts" are installed; the others are loaded for this
    // process only, from a copy of the file that is freed right after.
    if (SendMessageA(ctl_.lbFolders, LB_GETCARETINDEX, 0, 0) != 0) {
        const nq::UniqueGlobal block(ReadIntoBuffer(record->Path.c_str()));
        if (block) {
            const nq::GlobalLockGuard locked(block.get());
            DWORD fonts = 0;
            if (locked.data())
                previewFontMemory_.reset(AddFontMemResourceEx(
                    locked.data(), static_cast<DWORD>(GlobalSize(block.get())), nullptr, &fonts));
        }
        previewIndex_ = static_cast<int>(row);
    }
    previewFace_ = record->Name;
    ApplyPreviewFont();
    ShowWindow(ctl_.lbPreview, SW_SHOW);
}

void TfrmMiddle::ComboBox1Change() {
    const std::string text = WindowText(ctl_.ComboBox1);
    if (text.empty() || SendMessageA(ctl_.lbFonts, LB_GETCURSEL, 0, 0) < 0)
        return;
    const std::optional<int> size = ParseInt(text);
    if (!size) {
        prompts_.Message(hwnd_, "NimbQuillbox", "'" + text + "' is not a valid integer value",
                         MB_OK | MB_ICONERROR);
        return;
    }
    previewSize_ = *size;
    ApplyPreviewFont();
}
