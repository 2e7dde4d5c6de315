// The collections pane: the "Collection" header, the collections list
// lbFolders, its button bar and the splitter that sizes the pane.
#pragma once

#include "button_bar.h"
#include "defer_pos.h"
#include "handles.h"
#include "list_drag.h"
#include "list_controls.h"
#include "pane_host.h"
#include "pane_splitter.h"
#include "panel.h"

#include <optional>
#include <string>

namespace nq {

class CollectionsPane final : public ChildMessageSink, private ButtonBar::Owner {
  public:
    // Row 0 of the list: the fonts root itself.
    static constexpr const char* kAllFonts = "All Fonts";

    // Creates the pane's windows inside paneArea (bgPanel).
    bool Create(HWND paneArea, PaneHost& host);
    void Layout(DeferBatch& batch, const layout::ClientLayout& l) const;

    // "All Fonts" and then one row per collection, each with its off flag.
    void Clear() const;
    void AddRow(const std::string& name, bool off) const;

    ListBox List() const { return ListBox(lbFolders_); }
    // The selected row the user acted on last (the one holding the focus);
    // -1 when that row is not selected or there is none.
    int CurrentRow() const;
    std::string RowText(int row) const { return List().Text(row); }
    // A renamed collection: the row keeps its place, flag and selection.
    void SetRowText(int row, const std::string& text) const;
    void SetRowOff(int row, bool off) const;
    // The row under a screen point; -1 when there is none.
    int RowAt(POINT screen) const;
    // Makes row the only selected row, with the focus, as a click does, and
    // reports the change.
    void ClickRow(int row) const;
    // Where a menu opened by the keyboard appears: below the focused row.
    POINT MenuPointForKeyboard() const;

    // The header's text: whose fonts the collections are; tip tells what a
    // click on it does (empty: nothing is told).
    void SetHeading(const std::string& text, const std::string& tip) const;

    // The collections bar pb4.
    void InvalidateBar() const { pb4_.Invalidate(); }

    // The header strip takes the skin's header colours (after a skin load).
    void ApplySkinColours();

    HWND Splitter() const { return splitter1_.Handle(); }

    std::optional<LRESULT> OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // pb4: "+" makes a new collection, on/off switches the selected one.
    const char* AddImage(const bars::Pressed& pressed) const override;
    bool AddAvailable() const override { return true; }
    const char* ToggleImage(const bars::Pressed& pressed) const override;
    const char* AddTip() const override { return bars::kCollectionsBarAddTip; }
    const char* ToggleTip() const override;
    std::optional<std::string> CountText() const override { return std::nullopt; }
    void AddAction() override { host_->NewCollection(); }
    void ToggleAction() override;

    PaneHost* host_ = nullptr;
    UniqueGdiObject headerFont_, listFont_;
    Panel panel3_, header_, panel9_;
    HWND lbFolders_ = nullptr;
    HWND Button2_ = nullptr;
    PaneSplitter splitter1_;
    ListDrag drag_;
    ButtonBar pb4_;
};

} // namespace nq
