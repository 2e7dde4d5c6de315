#include "button_bar.h"

#include "offscreen.h"
#include "ui_fonts.h"

namespace nq {

namespace {

enum ToolId : UINT { kAddTool = 1, kToggleTool };

RECT AreaAt(int x, int y, SIZE size) {
    return RECT{x, y, x + size.cx, y + size.cy};
}

} // namespace

bool ButtonBar::Create(HWND parent, int id, const char* name, Owner& owner, const ClientSkin& skin,
                       bars::Pressed& pressed, HWND paneArea, Tooltip& tips) {
    owner_ = &owner;
    tips_ = &tips;
    skin_ = &skin;
    pressed_ = &pressed;
    paneArea_ = paneArea;
    if (!box_.Create(parent, id, name))
        return false;
    box_.OnPaint = [this](TFlickerFreePaintBox&, HDC canvas) { Paint(canvas); };
    box_.OnMouseDown = [this](TFlickerFreePaintBox&, UINT, POINT at) { MouseDown(at); };
    box_.OnMouseUp = [this](TFlickerFreePaintBox&, UINT, POINT at) { MouseUp(at); };
    return true;
}

void ButtonBar::ApplyDpi(int dpi) {
    font_ = CreateUiFont(-11, dpi);
    box_.SetFont(AsFont(font_));
}

void ButtonBar::Invalidate() const {
    box_.Invalidate();
    UpdateTips();
}

void ButtonBar::UpdateTips() const {
    if (!tips_ || !Handle())
        return;
    // Where the buttons are drawn at the skin's DPI.
    const int dpi = skin_->Dpi();
    const int top = Scaled(bars::kButtonTop, dpi);
    const SIZE add = skin_->Image(owner_->AddImage(*pressed_)).Shown(dpi);
    tips_->Set(Handle(), kAddTool, AreaAt(Scaled(bars::kAddLeft, dpi), top, add), owner_->AddTip());
    const char* toggleFile = owner_->ToggleImage(*pressed_);
    const SIZE toggle = toggleFile ? skin_->Image(toggleFile).Shown(dpi) : SIZE{};
    tips_->Set(Handle(), kToggleTool, AreaAt(bars::ToggleLeft(add.cx, dpi), top, toggle),
               toggleFile ? owner_->ToggleTip() : "");
}

void ButtonBar::Paint(HDC canvas) {
    // Until the pane area has its background, the bar shows its plain colour.
    UpdateTips();
    if (!skin_->PaneBackground())
        return;
    const int dpi = skin_->Dpi();
    RECT client{};
    GetClientRect(box_.Handle(), &client);
    const SkinImage& add = skin_->Image(owner_->AddImage(*pressed_));
    const char* toggleFile = owner_->ToggleImage(*pressed_);
    const int top = Scaled(bars::kButtonTop, dpi);
    if (const GdipGraphicsPtr graphics = GraphicsOn(canvas)) {
        skin_->DrawPaneBackgroundUnder(graphics.get(), box_.Handle(), paneArea_, client.right,
                                       client.bottom);
        DrawSkinImage(graphics.get(), add, dpi, static_cast<float>(Scaled(bars::kAddLeft, dpi)),
                      static_cast<float>(top));
        if (toggleFile)
            DrawSkinImage(graphics.get(), skin_->Image(toggleFile), dpi,
                          static_cast<float>(bars::ToggleLeft(add.Shown(dpi).cx, dpi)),
                          static_cast<float>(top));
    }
    if (const std::optional<std::string> count = owner_->CountText()) {
        SIZE text{};
        GetTextExtentPoint32A(canvas, count->c_str(), static_cast<int>(count->size()), &text);
        const int x = client.right - text.cx - Scaled(bars::kCountRightGap, dpi);
        SetBkMode(canvas, TRANSPARENT);
        // A copy one pixel lower in the edge colour sets the text off the
        // background (white under black).
        const ClientSkin::EdgedText colours = skin_->CountColours();
        SetTextColor(canvas, colours.Edge);
        TextOutA(canvas, x, Scaled(bars::kCountTop + 1, dpi), count->c_str(),
                 static_cast<int>(count->size()));
        SetTextColor(canvas, colours.Text);
        TextOutA(canvas, x, Scaled(bars::kCountTop, dpi), count->c_str(),
                 static_cast<int>(count->size()));
    }
}

void ButtonBar::MouseDown(POINT at) {
    const int dpi = skin_->Dpi();
    const int top = Scaled(bars::kButtonTop, dpi);
    const SkinImage& addNorm = skin_->Image(bars::kAddNorm);
    if (owner_->AddAvailable() &&
        SkinImageHit(addNorm, dpi, at.x - Scaled(bars::kAddLeft, dpi), at.y - top))
        pressed_->Add = true;
    // The on/off button shown at this moment is its unpressed form.
    if (const char* toggleFile = owner_->ToggleImage(bars::Pressed{})) {
        const int left = bars::ToggleLeft(addNorm.Shown(dpi).cx, dpi);
        if (SkinImageHit(skin_->Image(toggleFile), dpi, at.x - left, at.y - top))
            pressed_->Toggle = true;
    }
    box_.Invalidate();
}

void ButtonBar::MouseUp(POINT at) {
    // The add button acts wherever the release happens.
    if (pressed_->Add) {
        pressed_->Add = false;
        box_.Repaint();
        owner_->AddAction();
    }
    if (pressed_->Toggle) {
        RECT client{};
        GetClientRect(box_.Handle(), &client);
        const bool inside = at.x > 0 && at.x < client.right && at.y > 0 && at.y < client.bottom;
        pressed_->Toggle = false;
        box_.Repaint();
        if (inside)
            owner_->ToggleAction();
    }
}

} // namespace nq
