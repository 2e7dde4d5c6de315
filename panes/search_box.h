// The search box at the right end of the toolbar: the grey placeholder
// "Search" until the user types, black text while it filters.
#pragma once

#include "client_skin.h"
#include "defer_pos.h"
#include "ffpbox.h"
#include "handles.h"
#include "pane_host.h"
#include "panel.h"
#include "search_filter.h"
#include "subclass.h"

#include <optional>
#include <string>

namespace nq {

class SearchBox final : public ChildMessageSink {
  public:
    static constexpr const char* kPlaceholder = "Search";

    bool Create(HWND toolbar, PaneHost& host);
    void Layout(DeferBatch& batch, const layout::ClientLayout& l) const;

    std::string Text() const;
    // Sets the text as typing would: the change handler runs.
    void SetText(const std::string& text) const;

    // SearchActive: the box holds the user's own text, not the placeholder.
    bool Active() const { return active_; }
    // SearchResetting: the box is being set back to the placeholder.
    bool Resetting() const { return resetting_; }
    // The first typed character makes the text a filter (black text).
    void ActivateOnTyping();
    // Start-up: a saved text other than the placeholder is a filter at once.
    void Restore(const std::string& savedText);
    // The focus left the box: an empty box shows the placeholder again.
    void ResetWhenEmpty();
    // A click into the placeholder empties the box for typing.
    void ClearPlaceholder() const;
    // The box takes the keyboard focus with its text selected, so that typing
    // replaces it (the placeholder too).
    void Focus() const;
    // Empties the box as the clear button does: every font again, the focus
    // in the box.
    void Clear();
    HWND EditHandle() const { return editSearch_; }

    SearchFilter Filter() const { return SearchFilter(Text(), active_); }

    // The bar pb5 behind the box: the field images, and the clear button
    // shown while the text filters (pb5Paint, pb5MouseUp).
    void pb5Paint(HDC canvas);
    void pb5MouseUp(POINT at);
    void InvalidateBar() const { pb5_.Invalidate(); }

    std::optional<LRESULT> OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void SetActive(bool active);
    // The clear button's tip covers it while it is shown.
    void UpdateClearTip() const;

    PaneHost* host_ = nullptr;
    UniqueGdiObject font_;
    Panel panel10_;
    TFlickerFreePaintBox pb5_;
    HWND editSearch_ = nullptr;
    Subclass clicks_; // a mouse click into the box is told apart from entering it by keyboard
    bool pressed_ = false;
    bool active_ = false;
    bool resetting_ = false;
};

} // namespace nq
