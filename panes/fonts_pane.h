// The fonts pane: the "Font" header, the fonts list lbFonts whose rows carry
// the records of the listed collection, its button bar and its splitter.
#pragma once

#include "button_bar.h"
#include "defer_pos.h"
#include "font_descr.h"
#include "handles.h"
#include "list_drag.h"
#include "list_controls.h"
#include "list_pane_fonts.h"
#include "pane_host.h"
#include "pane_splitter.h"
#include "panel.h"
#include "search_filter.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace nq {

class FontsPane final : public ChildMessageSink, private ButtonBar::Owner {
  public:
    bool Create(HWND paneArea, PaneHost& host);
    void Layout(DeferBatch& batch, const layout::ClientLayout& l) const;
    // The header's, the rows' and the bar's fonts and the rows' height for
    // the window's DPI (at creation and when it changes).
    void ApplyDpi() { fonts_.Apply(host_->Dpi(), header_, lbFonts_, pb2_); }

    // The records of the listing, in the order the list shows them: by name
    // without regard to case, equal names in the order they arrived.
    // Records of a listing that is being read arrive in batches, each
    // record with a row at its place when it passes filter (the filter the
    // rows were shown with); one more record is added the same way. The
    // selection and the focus stay with their fonts.
    void AddRecords(const std::vector<FontDescr*>& records, const SearchFilter& filter);
    void AddRecord(FontDescr* record, const SearchFilter& filter);
    // Rebuilds the rows from the records, keeping those that pass filter, in
    // order, with the list's repainting suspended meanwhile. Selected fonts
    // that are still shown stay selected, and the focus stays.
    void ShowRecords(const SearchFilter& filter) const;
    // Records leave the listing together with their rows.
    void RemoveRecords(const std::unordered_set<const FontDescr*>& records);
    void Clear();
    void Repaint() const { InvalidateRect(lbFonts_, nullptr, TRUE); }

    ListBox List() const { return ListBox(lbFonts_); }
    // The row holding the focus (the one the preview shows) and the record it
    // refers to, while any row is selected; -1 and null otherwise.
    int CurrentRow() const;
    FontDescr* CurrentRecord() const;
    // The records of the selected rows, in row order: what the on/off button,
    // the keys, the menu and a drag act on.
    std::vector<FontDescr*> SelectedRecords() const;
    // Selects every row; the focus stays where it is.
    void SelectAll() const;
    // Selects exactly the rows of records, with the focus on focus's row (on
    // the first selected one when focus is not shown). Nothing is reported.
    void Select(const std::vector<const FontDescr*>& records, const FontDescr* focus) const;
    // The row under a screen point takes the focus: a selected one keeps the
    // selection, another becomes the only selected one. The row; -1 for none.
    int SelectForMenu(POINT screen) const;
    // Where a menu opened by the keyboard appears: below the focused row.
    POINT MenuPointForKeyboard() const;

    // The fonts bar pb2.
    void InvalidateBar() const { pb2_.Invalidate(); }

    // The header strip takes the skin's header colours (after a skin load).
    void ApplySkinColours();

    HWND Splitter() const { return splitter2_.Handle(); }

    std::optional<LRESULT> OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // pb2: "+" adds a font file, on/off switches the selected font, and the
    // bar counts the listed fonts.
    const char* AddImage(const bars::Pressed& pressed) const override;
    bool AddAvailable() const override { return host_->SelectedCollectionRow() >= 0; }
    const char* ToggleImage(const bars::Pressed& pressed) const override;
    const char* AddTip() const override;
    const char* ToggleTip() const override;
    // Whether any selected font is off: the on/off button then switches them on.
    bool AnySelectedOff() const;
    std::optional<std::string> CountText() const override;
    void AddAction() override { host_->AddFontByDialog(); }
    void ToggleAction() override;

    PaneHost* host_ = nullptr;
    ListPaneFonts fonts_;
    Panel panel1_, header_, panel8_;
    HWND lbFonts_ = nullptr;
    HWND Button1_ = nullptr;
    PaneSplitter splitter2_;
    ListDrag drag_;
    ButtonBar pb2_;
    // A record with the key of its name, which the order compares.
    struct SortEntry {
        FontDescr* Record;
        std::string Key;
    };
    std::vector<SortEntry> sorted_; // the listing's records in row order
};

} // namespace nq
