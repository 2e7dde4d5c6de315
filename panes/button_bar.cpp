#include "button_bar.h"

#include "offscreen.h"
#include "ui_fonts.h"

namespace nq {

namespace {

using namespace Gdiplus::DllExports;

// The count stands 20 pixels left of the bar's right end.
constexpr int kCountRightGap = 20;
constexpr int kCountTop = 8;

enum ToolId : UINT { kAddTool = 1, kToggleTool };

RECT AreaAt(int x, int y, SIZE size) {
    return RECT{x, y, x + size.cx, y + size.cy};
}

void DrawAtOwnSize(Gdiplus::GpGraphics* graphics, Gdiplus::GpBitmap* image, int x, int y) {
    const SIZE size = ImageSize(image);
    if (image)
        GdipDrawImageRectI(graphics, image, x, y, size.cx, size.cy);
}

} // namespace

bool ButtonBar::Create(HWND parent, int id, const char* name, Owner& owner, const ClientSkin& skin,
                       bars::Pressed& pressed, HWND paneArea, Tooltip& tips) {
    owner_ = &owner;
    tips_ = &tips;
    skin_ = &skin;
    pressed_ = &pressed;
    paneArea_ = paneArea;
    font_ = CreateUiFont(-11);
    if (!box_.Create(parent, id, name))
        return false;
    box_.SetFont(AsFont(font_));
    box_.OnPaint = [this](TFlickerFreePaintBox&, HDC canvas) { Paint(canvas); };
    box_.OnMouseDown = [this](TFlickerFreePaintBox&, UINT, POINT at) { MouseDown(at); };
    box_.OnMouseUp = [this](TFlickerFreePaintBox&, UINT, POINT at) { MouseUp(at); };
    return true;
}

void ButtonBar::Invalidate() const {
    box_.Invalidate();
    UpdateTips();
}

void ButtonBar::UpdateTips() const {
    if (!tips_ || !Handle())
        return;
    const SIZE add = ImageSize(skin_->Image(owner_->AddImage(*pressed_)));
    tips_->Set(Handle(), kAddTool, AreaAt(bars::kAddLeft, bars::kButtonTop, add), owner_->AddTip());
    const char* toggleFile = owner_->ToggleImage(*pressed_);
    const SIZE toggle = toggleFile ? ImageSize(skin_->Image(toggleFile)) : SIZE{};
    tips_->Set(Handle(), kToggleTool, AreaAt(bars::ToggleLeft(add.cx), bars::kButtonTop, toggle),
               toggleFile ? owner_->ToggleTip() : "");
}

void ButtonBar::Paint(HDC canvas) {
    // Until the pane area has its background, the bar shows its plain colour.
    UpdateTips();
    if (!skin_->PaneBackground())
        return;
    RECT client{};
    GetClientRect(box_.Handle(), &client);
    Gdiplus::GpBitmap* add = skin_->Image(owner_->AddImage(*pressed_));
    const char* toggleFile = owner_->ToggleImage(*pressed_);
    Gdiplus::GpBitmap* toggle = toggleFile ? skin_->Image(toggleFile) : nullptr;
    if (const GdipGraphicsPtr graphics = GraphicsOn(canvas)) {
        skin_->DrawPaneBackgroundUnder(graphics.get(), box_.Handle(), paneArea_, client.right,
                                       client.bottom);
        DrawAtOwnSize(graphics.get(), add, bars::kAddLeft, bars::kButtonTop);
        DrawAtOwnSize(graphics.get(), toggle, bars::ToggleLeft(ImageSize(add).cx),
                      bars::kButtonTop);
    }
    if (const std::optional<std::string> count = owner_->CountText()) {
        SIZE text{};
        GetTextExtentPoint32A(canvas, count->c_str(), static_cast<int>(count->size()), &text);
        const int x = client.right - text.cx - kCountRightGap;
        SetBkMode(canvas, TRANSPARENT);
        // A copy one pixel lower in the edge colour sets the text off the
        // background (white under black).
        const ClientSkin::EdgedText colours = skin_->CountColours();
        SetTextColor(canvas, colours.Edge);
        TextOutA(canvas, x, kCountTop + 1, count->c_str(), static_cast<int>(count->size()));
        SetTextColor(canvas, colours.Text);
        TextOutA(canvas, x, kCountTop, count->c_str(), static_cast<int>(count->size()));
    }
}

void ButtonBar::MouseDown(POINT at) {
    Gdiplus::GpBitmap* addNorm = skin_->Image(bars::kAddNorm);
    if (owner_->AddAvailable() && ImageHit(addNorm, at.x - bars::kAddLeft, at.y - bars::kButtonTop))
        pressed_->Add = true;
    // The on/off button shown at this moment is its unpressed form.
    if (const char* toggleFile = owner_->ToggleImage(bars::Pressed{})) {
        Gdiplus::GpBitmap* toggle = skin_->Image(toggleFile);
        const int left = bars::ToggleLeft(ImageSize(addNorm).cx);
        if (ImageHit(toggle, at.x - left, at.y - bars::kButtonTop))
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
