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
    font_ = CreateUiFont(-13);
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
                              panel10_.Handle(), ctl::EditSearch, font_.get());
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
        const SIZE size = ImageSize(host_->Skin().Image(bars::kSearchBarDelete));
        const int left = bars::SearchImageLeft(ClientSize(pb5_.Handle()).cx, size.cx);
        area = RECT{left, bars::kSearchImageTop, left + size.cx, bars::kSearchImageTop + size.cy};
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
    const auto draw = [&](const char* file) {
        Gdiplus::GpBitmap* image = skin.Image(file);
        const SIZE size = ImageSize(image);
        if (image)
            Gdiplus::DllExports::GdipDrawImageRectI(graphics.get(), image,
                                                    bars::SearchImageLeft(client.right, size.cx),
                                                    bars::kSearchImageTop, size.cx, size.cy);
        return size;
    };
    const SIZE field = draw(bars::kSearchBar);
    // The menu part shares the field's corner.
    if (Gdiplus::GpBitmap* menu = skin.Image(bars::kSearchBarMenu)) {
        const SIZE size = ImageSize(menu);
        Gdiplus::DllExports::GdipDrawImageRectI(graphics.get(), menu,
                                                bars::SearchImageLeft(client.right, field.cx),
                                                bars::kSearchImageTop, size.cx, size.cy);
    }
    if (active_)
        draw(bars::kSearchBarDelete);
}

void SearchBox::pb5MouseUp(POINT at) {
    if (!active_)
        return;
    RECT client{};
    GetClientRect(pb5_.Handle(), &client);
    Gdiplus::GpBitmap* clear = host_->Skin().Image(bars::kSearchBarDelete);
    const int left = bars::SearchImageLeft(client.right, ImageSize(clear).cx);
    if (!ImageHit(clear, at.x - left, at.y - bars::kSearchImageTop))
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
