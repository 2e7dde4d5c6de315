#include "search_box.h"

#include "child.h"
#include "bar_rules.h"
#include "control_ids.h"
#include "offscreen.h"
#include "place.h"
#include "text.h"
#include "tooltip.h"
#include "ui_fonts.h"

#include <utility>

namespace nq {

bool SearchBox::Create(HWND toolbar, PaneHost& host) {
    host_ = &host;
    if (!panel10_.Create(toolbar, ctl::Panel10, "Panel10", PanelLook::Plain, this))
        return false;
    if (pb5_.Create(panel10_.Handle(), ctl::Pb5, "pb5")) {
        // The box lies over the bar, which must not paint over it.
        SetWindowLongPtrA(pb5_.Handle(), GWL_STYLE,
                          GetWindowLongPtrA(pb5_.Handle(), GWL_STYLE) | WS_CLIPSIBLINGS);
        pb5_.OnPaint = [this](TFlickerFreePaintBox&, HDC canvas) { pb5Paint(canvas); };
        pb5_.OnMouseUp = [this](TFlickerFreePaintBox&, UINT, POINT at) { pb5MouseUp(at); };
    }
    editSearch_ = CreateChild("EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0,
                              panel10_.Handle(), ctl::EditSearch);
    ApplyDpi();
    SetWindowPos(editSearch_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    clicks_.Attach(editSearch_, [this](HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
        Subclass::Handled handled;
        if (message == WM_LBUTTONDOWN) {
            pressed_ = true;
        } else if (message == WM_LBUTTONUP) {
            handled = {true, Subclass::CallPrevious(edit, message, wParam, lParam)};
            if (std::exchange(pressed_, false))
                host_->editSearchClick();
        }
        return handled;
    });
    return editSearch_ != nullptr;
}

void SearchBox::ApplyDpi() {
    UniqueGdiObject font = CreateUiFont(-13, host_->Dpi());
    SendMessageA(editSearch_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font); // the old one after the box let go of it
}

void SearchBox::Layout(DeferBatch& batch, const layout::ClientLayout& l) const {
    Place(batch, panel10_.Handle(), l.Panel10);
    Place(batch, pb5_.Handle(), l.Pb5);
    Place(batch, editSearch_, l.EditSearch);
}

std::string SearchBox::Text() const {
    return WindowText(editSearch_);
}

void SearchBox::SetText(const std::string& text) const {
    SetWindowTextUtf8(editSearch_, text);
}

void SearchBox::SetActive(bool active) {
    active_ = active;
    InvalidateRect(editSearch_, nullptr, TRUE); // black filter or silver placeholder
    pb5_.Invalidate();                          // the clear button comes or goes
    UpdateClearTip();
}

void SearchBox::UpdateClearTip() const {
    RECT area{};
    if (active_) {
        // Where the clear button is drawn at the skin's DPI.
        const int dpi = host_->Skin().Dpi();
        const SIZE size = host_->Skin().Image(bars::kSearchBarDelete).Shown(dpi);
        const int left = bars::SearchImageLeft(ClientSize(pb5_.Handle()).cx, size.cx, dpi);
        const int top = Scaled(bars::kSearchImageTop, dpi);
        area = RECT{left, top, left + size.cx, top + size.cy};
    }
    host_->Tips().Set(pb5_.Handle(), 1, area, bars::kClearSearchTip);
}

void SearchBox::pb5Paint(HDC canvas) {
    UpdateClearTip(); // the bar's width or the skin may have changed
    const ClientSkin& skin = host_->Skin();
    if (!skin.PaneBackground())
        return;
    RECT client{};
    GetClientRect(pb5_.Handle(), &client);
    const GdipGraphicsPtr graphics = GraphicsOn(canvas);
    if (!graphics)
        return;
    skin.DrawPaneBackgroundUnder(graphics.get(), pb5_.Handle(), GetParent(panel10_.Handle()),
                                 client.right, client.bottom);
    const int dpi = skin.Dpi();
    const float top = static_cast<float>(Scaled(bars::kSearchImageTop, dpi));
    // Each image right-aligned at the gap from the bar's end, but the menu
    // part, which shares the field's corner.
    const auto leftOf = [&](const SkinImage& image) {
        return static_cast<float>(bars::SearchImageLeft(client.right, image.Shown(dpi).cx, dpi));
    };
    const SkinImage& field = skin.Image(bars::kSearchBar);
    DrawSkinImage(graphics.get(), field, dpi, leftOf(field), top);
    DrawSkinImage(graphics.get(), skin.Image(bars::kSearchBarMenu), dpi, leftOf(field), top);
    if (active_) {
        const SkinImage& clear = skin.Image(bars::kSearchBarDelete);
        DrawSkinImage(graphics.get(), clear, dpi, leftOf(clear), top);
    }
}

void SearchBox::pb5MouseUp(POINT at) {
    if (!active_)
        return;
    RECT client{};
    GetClientRect(pb5_.Handle(), &client);
    const int dpi = host_->Skin().Dpi();
    const SkinImage& clear = host_->Skin().Image(bars::kSearchBarDelete);
    const int left = bars::SearchImageLeft(client.right, clear.Shown(dpi).cx, dpi);
    if (!SkinImageHit(clear, dpi, at.x - left, at.y - Scaled(bars::kSearchImageTop, dpi)))
        return;
    Clear();
}

void SearchBox::Clear() {
    active_ = false;
    SetText(""); // every font again
    SetFocus(editSearch_);
    SetActive(false);
}

void SearchBox::Focus() const {
    SetFocus(editSearch_);
    SendMessageA(editSearch_, EM_SETSEL, 0, -1);
}

void SearchBox::ActivateOnTyping() {
    if (!resetting_ && !active_ && !Text().empty())
        SetActive(true);
}

void SearchBox::Restore(const std::string& savedText) {
    SetText(savedText);
    if (!savedText.empty() && savedText != kPlaceholder)
        SetActive(true);
}

void SearchBox::ResetWhenEmpty() {
    resetting_ = true;
    if (Text().empty())
        active_ = false;
    if (!active_)
        SetText(kPlaceholder);
    SetActive(active_);
    resetting_ = false;
}

void SearchBox::ClearPlaceholder() const {
    if (!active_ && Text() == kPlaceholder)
        SetText("");
}

std::optional<LRESULT> SearchBox::OnChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != editSearch_)
        return std::nullopt;
    if (message == WM_COMMAND) {
        if (HIWORD(wParam) == EN_CHANGE)
            host_->editSearchChange();
        else if (HIWORD(wParam) == EN_KILLFOCUS)
            host_->editSearchExit();
        return 0;
    }
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, active_ ? RGB(0, 0, 0) : RGB(192, 192, 192));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    return std::nullopt;
}

} // namespace nq
