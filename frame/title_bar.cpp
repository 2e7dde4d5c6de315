#include "title_bar.h"

#include "frame_geometry.h"
#include "text.h"

namespace nq {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// By TitleButton: the inactive, normal and pointer-over image's file name.
// The mixed case is the skin format's own and counts where names do.
constexpr const char* kButtonFiles[kTitleButtonCount][3] = {
    {"inactive_close.png", "active_close.png", "mouseover_close.png"},
    {"inactive_min.png", "active_min.png", "mouseover_Min.png"},
    {"inactive_max.png", "active_max.png", "mouseover_Max.png"},
    {"inactive_Roll.png", "active_Roll.png", "mouseover_Roll.png"},
};

constexpr int kCloseHit = 1, kMinHit = 2, kMaxHit = 3, kRollHit = 4;

TitleButton ButtonOf(std::size_t index) {
    return static_cast<TitleButton>(index);
}

POINT CursorNow() {
    POINT at{};
    GetCursorPos(&at);
    return at;
}

} // namespace

void TfrmTop::LoadButtonImages() {
    const std::string path = Host().SkinPath();
    const int dpi = Host().Dpi();
    for (std::size_t b = 0; b < kTitleButtonCount; ++b)
        images_[b] = ButtonImages{LoadSkinImageFor(path, kButtonFiles[b][0], dpi),
                                  LoadSkinImageFor(path, kButtonFiles[b][1], dpi),
                                  LoadSkinImageFor(path, kButtonFiles[b][2], dpi)};
}

const SkinImage& TfrmTop::ButtonImage(TitleButton button) const {
    const ButtonImages& images = images_[static_cast<std::size_t>(button)];
    const bool over = button == TitleButton::Roll ? hoverButton_ == kRollHit : hoverButton_ != 0;
    return over ? images.Over : images.Normal;
}

int TfrmTop::ButtonAt(int x, int y) const {
    const SkinValues& skin = Host().SkinValues();
    const int dpi = Host().Dpi();
    const FrameState state = FrameStateOf(Host().Active(), Host().RolledUp());
    const int reference = frame::ReferenceWidth(Host().ClientBounds().Width, skin);
    for (std::size_t b = 0; b < kTitleButtonCount; ++b) {
        const ButtonPlace& place = skin.Buttons.PlaceFor(ButtonOf(b), state);
        const SkinImage& image = ButtonImage(ButtonOf(b));
        const SIZE shown = image.Shown(dpi);
        const int left = frame::ButtonAnchor(place.Align, reference) + place.X;
        const auto alphaAt = [&](int px, int py) {
            return SkinImageHit(image, dpi, px, py) ? 1u : 0u;
        };
        if (frame::ButtonHit(x, y, left, place.Y, shown.cx, shown.cy, alphaAt))
            return static_cast<int>(b) + 1;
    }
    return 0;
}

std::string TfrmTop::StatePrefix() const {
    return ImagePrefix(FrameStateOf(Host().Active(), Host().RolledUp()));
}

void TfrmTop::PaintContent(GpGraphics* graphics, int width, int height, const std::string& prefix) {
    shownActive_ = Host().Active();
    const int dpi = Host().Dpi();
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    // The two ends at their own widths on screen, stretched to the height.
    const SkinImage leftEnd = EdgeImage(prefix, "left_top.png");
    const float l = static_cast<float>(leftEnd.Shown(dpi).cx);
    DrawSkinImage(graphics, leftEnd, dpi, 0, 0, l, h);
    const SkinImage rightEnd = EdgeImage(prefix, "right_top.png");
    const float r = static_cast<float>(rightEnd.Shown(dpi).cx);
    DrawSkinImage(graphics, rightEnd, dpi, w - r, 0, r, h);
    // The gap between them: one copy of the middle stretched across it,
    // repeated downward at its height on screen. Nothing where the ends leave
    // no gap or the middle image has no width.
    const float gap = w - l - r;
    const SkinImage middle = EdgeImage(prefix, "top.png");
    const LONG middleWidth = middle.Pixels().cx;
    if (gap > 0 && middleWidth > 0) {
        const GdipBrushPtr brush =
            TiledBrush(middle.get(), gap / static_cast<float>(middleWidth), middle.ScaleAt(dpi));
        if (brush) {
            const ResamplingScope resampling(graphics, middle.Resampled(dpi));
            GdipFillRectangle(graphics, brush.get(), l, 0, gap, h);
        }
    }
    const FrameState state = FrameStateOf(Host().Active(), Host().RolledUp());
    PaintCaption(graphics, width, height, state);
    PaintButtons(graphics, width, state);
}

void TfrmTop::PaintCaption(GpGraphics* graphics, int width, int height, FrameState state) const {
    const CaptionValues& caption = Host().SkinValues().Caption;
    // A family that is not installed leaves the title bar without caption.
    GpFontFamily* family = nullptr;
    if (GdipCreateFontFamilyFromName(WideFromUtf8(caption.FontName).c_str(), nullptr, &family) !=
        Ok)
        return;
    const GdipFontFamilyPtr ownedFamily(family);
    GpStringFormat* format = nullptr;
    if (GdipCreateStringFormat(0, LANG_NEUTRAL, &format) != Ok)
        return;
    const GdipStringFormatPtr ownedFormat(format);
    // Alignments outside near, centre and far keep the format's near.
    const auto alignment = [](int value) {
        return value == 1   ? StringAlignmentCenter
               : value == 2 ? StringAlignmentFar
                            : StringAlignmentNear;
    };
    GdipSetStringFormatAlign(format, alignment(caption.HorAlign));
    GdipSetStringFormatLineAlign(format, alignment(caption.VerAlign));
    const frame::RectF box = frame::CaptionLayout(caption.RectFor(state), width, height);
    const Gdiplus::RectF layout(box.Left, box.Top, box.Width, box.Height);
    GpPath* path = nullptr;
    if (GdipCreatePath(FillModeAlternate, &path) != Ok)
        return;
    const GdipPathPtr ownedPath(path);
    GdipAddPathString(path, kCaption, -1, family, caption.FontStyle,
                      static_cast<REAL>(caption.FontSize), &layout, format);
    GpSolidFill* brush = nullptr;
    if (GdipCreateSolidFill(caption.TextColor, &brush) != Ok)
        return;
    const GdipBrushPtr ownedBrush(brush);
    GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias);
    GdipFillPath(graphics, brush, path);
}

void TfrmTop::PaintButtons(GpGraphics* graphics, int width, FrameState state) const {
    const ButtonValues& buttons = Host().SkinValues().Buttons;
    const int dpi = Host().Dpi();
    for (std::size_t b = 0; b < kTitleButtonCount; ++b) {
        const ButtonPlace& place = buttons.PlaceFor(ButtonOf(b), state);
        const SkinImage& image = shownActive_ ? ButtonImage(ButtonOf(b)) : images_[b].Inactive;
        const int left = frame::ButtonAnchor(place.Align, width) + place.X;
        DrawSkinImage(graphics, image, dpi, static_cast<float>(left), static_cast<float>(place.Y));
    }
}

void TfrmTop::RenderForHover() {
    RenderEdge(frame::ReferenceWidth(Host().ClientBounds().Width, Host().SkinValues()),
               Host().Edges().Top);
}

void TfrmTop::FormMouseDown(MouseButton, int x, int y) {
    if (ButtonAt(x, y) != 0)
        return;
    dragAnchor_ = CursorNow();
    dragArmed_ = true;
}

void TfrmTop::FormMouseMove(int x, int y) {
    const int hit = ButtonAt(x, y);
    if (hoverButton_ != hit) {
        hoverButton_ = hit;
        RenderForHover();
    }
    // The drag goes from where the press was, so that the point taken hold
    // of stays under the pointer (the way to the first move included).
    if (hit == 0 && dragArmed_ && !timer1_.Running())
        timer1_.Start();
}

void TfrmTop::FormMouseUp(MouseButton button, int x, int y) {
    dragArmed_ = false;
    // Each action may end the program or replace the frame: nothing of this
    // window is touched after it.
    switch (ButtonAt(x, y)) {
    case kCloseHit:
        Host().CloseProgram();
        return;
    case kMinHit:
        Host().MinimizeProgram();
        return;
    case kMaxHit: {
        const frame::Rect client = Host().ClientBounds();
        // The client's default size at its present top-left corner.
        const frame::Rect size = frame::DefaultClientBounds(Host().Dpi());
        Host().ArrangeFrame(client.Left, client.Top, size.Width, size.Height);
        Host().RenderFrame(size.Width, size.Height);
        return;
    }
    case kRollHit:
        Host().SetRolledUp(!Host().RolledUp());
        return;
    default:
        timer1_.Stop();
        if (button == MouseButton::Right)
            Host().PopupSkinMenu(CursorNow());
        return;
    }
}

void TfrmTop::FormDblClick() {
    Host().MinimizeProgram();
}

void TfrmTop::Timer1Timer() {
    const POINT at = CursorNow();
    if (at.x == dragAnchor_.x && at.y == dragAnchor_.y)
        return;
    const int dx = at.x - dragAnchor_.x, dy = at.y - dragAnchor_.y;
    dragAnchor_ = at;
    Host().MoveFrame(dx, dy);
}

void TfrmTop::OnPollTimer(UINT_PTR id) {
    if (id == timer1_.Id())
        Timer1Timer();
}

} // namespace nq
