#include "border_windows.h"

namespace nq {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;
using frame::ResizeKind;

namespace {

// A side border: the bottom piece at its own height, stretched to the width
// and flush with the bottom edge; the middle piece repeated at its own size
// over the rest (sizes on screen at the frame's DPI). A bottom piece taller
// than the window leaves no room for the middle one.
void PaintSide(GpGraphics* graphics, int width, int height, const SkinImage& bottom,
               const SkinImage& middle, int dpi) {
    const int bottomHeight = bottom.Shown(dpi).cy;
    if (bottomHeight > 0)
        DrawSkinImage(graphics, bottom, dpi, 0.0f, static_cast<REAL>(height - bottomHeight),
                      static_cast<REAL>(width), static_cast<REAL>(bottomHeight));
    const float scale = middle.ScaleAt(dpi);
    const GdipBrushPtr brush = TiledBrush(middle.get(), scale, scale);
    if (brush && height - bottomHeight > 0) {
        const ResamplingScope resampling(graphics, middle.Resampled(dpi));
        GdipFillRectangle(graphics, brush.get(), 0.0f, 0.0f, static_cast<REAL>(width),
                          static_cast<REAL>(height - bottomHeight));
    }
}

// One resize step of kind: the pointer's movement since anchor, which moves
// on to the pointer, resizes the client through the frame's arrangement. A
// pointer that has not moved changes nothing, so it arranges nothing.
void ResizeStep(FrameHost& host, POINT& anchor, ResizeKind kind) {
    POINT at{};
    GetCursorPos(&at);
    const int dx = at.x - anchor.x, dy = at.y - anchor.y;
    anchor = at;
    if (dx == 0 && dy == 0)
        return;
    const frame::Rect client = frame::ResizedClient(host.ClientBounds(), kind, dx, dy, host.Dpi());
    host.ArrangeFrame(client.Left, client.Top, client.Width, client.Height);
}

POINT CursorNow() {
    POINT at{};
    GetCursorPos(&at);
    return at;
}

int WindowHeight(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client.bottom;
}

} // namespace

// --- Bottom border ---

void TfrmBottom::PaintContent(GpGraphics* graphics, int width, int height,
                              const std::string& prefix) {
    GdipSetPixelOffsetMode(graphics, PixelOffsetModeHalf);
    const SkinImage image = EdgeImage(prefix, "bottom.png");
    const SIZE size = image.Pixels();
    const int dpi = Host().Dpi();
    // One copy spans the width, repeated downward at its height on screen; a
    // missing or empty image leaves the border transparent instead of
    // stretching by a zero width.
    const GdipBrushPtr brush =
        size.cx > 0
            ? TiledBrush(image.get(), static_cast<float>(width) / size.cx, image.ScaleAt(dpi))
            : nullptr;
    if (brush) {
        const ResamplingScope resampling(graphics, image.Resampled(dpi));
        GdipFillRectangleI(graphics, brush.get(), 0, 0, width, height);
    }
}

ResizeKind TfrmBottom::ZoneAt(int y) const {
    return frame::BottomZone(Host().SkinValues().Bottom, y);
}

void TfrmBottom::FormMouseDown(MouseButton, int, int y) {
    if (ZoneAt(y) == ResizeKind::None)
        return;
    resizeAnchor_ = CursorNow();
    timer1_.Start();
}

void TfrmBottom::FormMouseUp(MouseButton, int, int) {
    timer1_.Stop();
}

void TfrmBottom::Timer1Timer() {
    ResizeStep(Host(), resizeAnchor_, ResizeKind::Height);
}

void TfrmBottom::OnPollTimer(UINT_PTR id) {
    if (id == timer1_.Id())
        Timer1Timer();
}

LPCSTR TfrmBottom::CursorAt(int, int y) const {
    return ZoneAt(y) == ResizeKind::None ? IDC_ARROW : IDC_SIZENS;
}

// --- Left border ---

void TfrmLeft::PaintContent(GpGraphics* graphics, int width, int height,
                            const std::string& prefix) {
    PaintSide(graphics, width, height, EdgeImage(prefix, "left_bottom.png"),
              EdgeImage(prefix, "left_middle.png"), Host().Dpi());
}

ResizeKind TfrmLeft::ZoneAt(int x) const {
    return frame::LeftZone(Host().SkinValues().Left, x);
}

void TfrmLeft::FormMouseDown(MouseButton, int x, int) {
    if (ZoneAt(x) == ResizeKind::None)
        return;
    resizeAnchor_ = CursorNow();
    timer1_.Start();
}

void TfrmLeft::FormMouseUp(MouseButton, int, int) {
    timer1_.Stop();
}

void TfrmLeft::Timer1Timer() {
    ResizeStep(Host(), resizeAnchor_, ResizeKind::LeftEdge);
}

void TfrmLeft::OnPollTimer(UINT_PTR id) {
    if (id == timer1_.Id())
        Timer1Timer();
}

LPCSTR TfrmLeft::CursorAt(int x, int) const {
    return ZoneAt(x) == ResizeKind::None ? IDC_ARROW : IDC_SIZEWE;
}

// --- Right border ---

void TfrmRight::PaintContent(GpGraphics* graphics, int width, int height,
                             const std::string& prefix) {
    PaintSide(graphics, width, height, EdgeImage(prefix, "right_bottom.png"),
              EdgeImage(prefix, "right_middle.png"), Host().Dpi());
}

ResizeKind TfrmRight::ZoneAt(int x, int y) const {
    return frame::RightZone(Host().SkinValues().Right, x, y, WindowHeight(Handle()));
}

void TfrmRight::FormMouseDown(MouseButton, int x, int y) {
    const ResizeKind kind = ZoneAt(x, y);
    if (kind == ResizeKind::None)
        return;
    resizeAnchor_ = CursorNow();
    (kind == ResizeKind::WidthAndHeight ? timer2_ : timer1_).Start();
}

void TfrmRight::FormMouseUp(MouseButton, int, int) {
    OnCaptureLost();
}

void TfrmRight::OnCaptureLost() {
    timer1_.Stop();
    timer2_.Stop();
}

void TfrmRight::Timer1Timer() {
    ResizeStep(Host(), resizeAnchor_, ResizeKind::Width);
}

void TfrmRight::Timer2Timer() {
    ResizeStep(Host(), resizeAnchor_, ResizeKind::WidthAndHeight);
}

void TfrmRight::OnPollTimer(UINT_PTR id) {
    if (id == timer1_.Id())
        Timer1Timer();
    else if (id == timer2_.Id())
        Timer2Timer();
}

LPCSTR TfrmRight::CursorAt(int x, int y) const {
    switch (ZoneAt(x, y)) {
    case ResizeKind::WidthAndHeight:
        return IDC_SIZENWSE;
    case ResizeKind::None:
        return IDC_ARROW;
    default:
        return IDC_SIZEWE;
    }
}

} // namespace nq
