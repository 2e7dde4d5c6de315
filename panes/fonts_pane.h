// The fonts pane: the "Font" header, the fonts list lbFonts whose rows carry
// the records of the listed collection, its button bar and its splitter.
#pragma once

#include "button_bar.h"
#include "defer_pos.h"
#include "font_descr.h"
#include "handles.h"
#include "list_drag.h"
#include "list_controls.h"
#include "pane_host.h"
#include "pane_splitter.h"
#include "panel.h"
#include "search_filter.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace nq {

class FontsPane final : public ChildMessageSink, private ButtonBar::Owner {
  public:
    bool Create(HWND paneArea, PaneHost& host);
    void Layout(DeferBatch& batch, const layout::ClientLayout& l) const;

    // The records of the listing, in the order the list shows them: by name
    // without regard to case, equal names in the order they arrived.
    // Records of a listing that is being read arrive in batches, each
    // record with a row at its place when it passes filter (the filter the
    // rows were shown with); one more record is added the same way.
    void AddRecords(const std::vector<FontDescr*>& records, const SearchFilter& filter);
    void AddRecord(FontDescr* record, const SearchFilter& filter);
    // Rebuilds the rows from the records, keeping those that pass filter, in
    // order, with the list's repainting suspended meanwhile.
    void ShowRecords(const SearchFilter& filter) const;
    // A record leaves the listing together with its row.
    void RemoveRecord(const FontDescr* record);
    void Clear();
    void Repaint() const { InvalidateRect(lbFonts_, nullptr, TRUE); }

    ListBox List() const { return ListBox(lbFonts_); }
    // The selected row and the record it refers to; -1 and null when none.
    int CurrentRow() const { return List().Selection(); }
    FontDescr* CurrentRecord() const;

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
    std::optional<std::string> CountText() const override;
    void AddAction() override { host_->AddFontByDialog(); }
    void ToggleAction() override;

    PaneHost* host_ = nullptr;
    UniqueGdiObject headerFont_, listFont_;
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
