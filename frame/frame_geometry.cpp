#include "frame_geometry.h"

#include <algorithm>

namespace nq::frame {

namespace {

// A skin's size as a window takes it: a negative one would give a bitmap of
// negative size, and one beyond kMaxEdgeSize leaves no room for the arithmetic
// of the frame around it.
int EdgeSize(int value) {
    return std::clamp(value, 0, kMaxEdgeSize);
}

// Strictly between low and high; wide arithmetic, since a skin may give any
// integer as a bound.
bool StrictlyBetween(long long low, long long value, long long high) {
    return low < value && value < high;
}

// A dragged dimension: it follows the pointer down to the smallest size, or
// to its present size when it is smaller still, so that it never jumps.
int HeldDimension(int current, int dragged, int minimum) {
    return std::max(dragged, std::min(current, minimum));
}

// The step of the roll animations: a tenth of the height, at least a pixel so
// that the loops end for low clients too.
int RollStep(int height, int dpi) {
    return std::max(height / 10, std::max(Scaled(1, dpi), 1));
}

} // namespace

SkinValues ScaledSkinValues(const SkinValues& skin, int dpi) {
    SkinValues s = skin;
    const auto scale = [dpi](int& value) { value = Scaled(value, dpi); };
    for (SideValues* side : {static_cast<SideValues*>(&s.Left), static_cast<SideValues*>(&s.Right)})
        for (int* v :
             {&side->Width, &side->InActiveWidth, &side->ResizeBorder1, &side->ResizeBorder2})
            scale(*v);
    scale(s.Right.ResizeBorder3);
    scale(s.Right.ResizeBorder4);
    for (int* v : {&s.Bottom.Height, &s.Bottom.InActiveHeight, &s.Bottom.ResizeBorder1,
                   &s.Bottom.ResizeBorder2, &s.Top.Height, &s.Top.InActiveHeight,
                   &s.Top.RolledUpHeight, &s.Top.RolledUpInActiveHeight, &s.Top.ResizeBorder1,
                   &s.Top.ResizeBorder2, &s.Caption.FontSize})
        scale(*v);
    for (auto& places : s.Buttons.Places)
        for (ButtonPlace& place : places) {
            scale(place.X);
            scale(place.Y);
        }
    return s;
}

Rect DefaultClientBounds(int dpi) {
    const Rect& d = kDefaultClientBounds;
    return {Scaled(d.Left, dpi), Scaled(d.Top, dpi), Scaled(d.Width, dpi), Scaled(d.Height, dpi)};
}

EdgeSizes EdgeSizesFor(const SkinValues& skin, bool active, bool rolledUp) {
    const FrameState state = FrameStateOf(active, rolledUp);
    EdgeSizes edges;
    edges.Left = EdgeSize(skin.Left.WidthFor(state));
    edges.Right = EdgeSize(skin.Right.WidthFor(state));
    edges.Top = EdgeSize(skin.Top.HeightFor(state));
    edges.Bottom = EdgeSize(skin.Bottom.HeightFor(state));
    return edges;
}

FrameRects ArrangeRects(const Rect& client, const EdgeSizes& edges) {
    const int x = client.Left, y = client.Top, w = client.Width, h = client.Height;
    FrameRects rects;
    rects.Title = {x - edges.Left, y - edges.Top, edges.Left + w + edges.Right, edges.Top};
    rects.Client = client;
    rects.Bottom = {x, y + h, w, edges.Bottom};
    rects.Right = {x + w, y, edges.Right, h + edges.Bottom};
    rects.Left = {x - edges.Left, y, edges.Left, h + edges.Bottom};
    return rects;
}

FrameRects MoveRects(const Rect& client, const Rect& title, int dx, int dy, bool rolledUp,
                     const EdgeSizes& edges) {
    const Rect moved{client.Left + dx, client.Top + dy, client.Width, rolledUp ? 0 : client.Height};
    FrameRects rects = ArrangeRects(moved, edges);
    if (rolledUp) {
        // The rolled-up title bar hangs where the drag has taken it, at its
        // own height, whatever the client's top says.
        rects.Title.Top = title.Top + dy;
        rects.Title.Height = title.Height;
    }
    return rects;
}

std::vector<int> RollUpHeights(int height, int dpi) {
    std::vector<int> heights;
    if (height <= 0)
        return heights;
    const int step = RollStep(height, dpi);
    for (int k = height; k > step; k -= step)
        heights.push_back(k);
    return heights;
}

std::vector<int> RollDownHeights(int savedHeight, int dpi) {
    const int saved = std::max(savedHeight, 0);
    const int step = RollStep(saved, dpi);
    std::vector<int> heights;
    for (int k = 0; saved - step > k; k += step)
        heights.push_back(k);
    heights.push_back(saved);
    return heights;
}

ResizeKind BottomZone(const BottomValues& bottom, int y) {
    return StrictlyBetween(bottom.ResizeBorder1, y, bottom.ResizeBorder2) ? ResizeKind::Height
                                                                          : ResizeKind::None;
}

ResizeKind LeftZone(const SideValues& left, int x) {
    return StrictlyBetween(left.ResizeBorder1, x, left.ResizeBorder2) ? ResizeKind::LeftEdge
                                                                      : ResizeKind::None;
}

ResizeKind RightZone(const RightValues& right, int x, int y, int windowHeight) {
    if (!StrictlyBetween(right.ResizeBorder1, x, right.ResizeBorder2))
        return ResizeKind::None;
    const long long h = windowHeight;
    return StrictlyBetween(h - right.ResizeBorder3, y, h - right.ResizeBorder4)
               ? ResizeKind::WidthAndHeight
               : ResizeKind::Width;
}

Rect ResizedClient(const Rect& client, ResizeKind kind, int dx, int dy, int dpi) {
    const int minWidth = Scaled(kMinClientWidth, dpi), minHeight = Scaled(kMinClientHeight, dpi);
    Rect r = client;
    switch (kind) {
    case ResizeKind::None:
        break;
    case ResizeKind::Height:
        r.Height = HeldDimension(client.Height, client.Height + dy, minHeight);
        break;
    case ResizeKind::LeftEdge:
        // The right edge stays; the left one goes only as far as the width allows.
        r.Width = HeldDimension(client.Width, client.Width - dx, minWidth);
        r.Left = client.Left + client.Width - r.Width;
        break;
    case ResizeKind::Width:
        r.Width = HeldDimension(client.Width, client.Width + dx, minWidth);
        break;
    case ResizeKind::WidthAndHeight:
        r.Width = HeldDimension(client.Width, client.Width + dx, minWidth);
        r.Height = HeldDimension(client.Height, client.Height + dy, minHeight);
        break;
    }
    return r;
}

bool UsableClientBounds(const Rect& bounds, const std::vector<Rect>& monitors) {
    const auto inRange = [](int size, int minimum) {
        return minimum <= size && size <= kMaxWindowSize;
    };
    if (!inRange(bounds.Width, kMinClientWidth) || !inRange(bounds.Height, kMinClientHeight))
        return false;
    // Wide arithmetic: a hand-edited corner may lie anywhere in the int range.
    const long long left = bounds.Left, top = bounds.Top;
    const long long right = left + bounds.Width, bottom = top + kHoldBandHeight;
    return std::any_of(monitors.begin(), monitors.end(), [&](const Rect& m) {
        const long long shownWidth =
            std::min<long long>(right, 0LL + m.Left + m.Width) - std::max<long long>(left, m.Left);
        const long long shownHeight =
            std::min<long long>(bottom, 0LL + m.Top + m.Height) - std::max<long long>(top, m.Top);
        return shownWidth >= kMinVisibleWidth && shownHeight >= kMinVisibleHeight;
    });
}

Rect StartClientBounds(const Rect& saved, const std::vector<Rect>& monitors, int primaryDpi) {
    return UsableClientBounds(saved, monitors) ? saved : DefaultClientBounds(primaryDpi);
}

Rect ScreenFromWorkspace(const Rect& bounds, const Rect& monitor, const Rect& workArea) {
    Rect r = bounds;
    r.Left += workArea.Left - monitor.Left;
    r.Top += workArea.Top - monitor.Top;
    return r;
}

int ButtonAnchor(int align, int width) {
    switch (align) {
    case 1:
        return width / 2;
    case 2:
        return width;
    default:
        return 0;
    }
}

int ReferenceWidth(int clientWidth, const SkinValues& skin) {
    const EdgeSizes active = EdgeSizesFor(skin, true, false);
    return active.Left + clientWidth + active.Right;
}

RectF CaptionLayout(const CaptionRect& percent, int width, int height) {
    const float w = static_cast<float>(width) / 100.0f;
    const float h = static_cast<float>(height) / 100.0f;
    return {w * static_cast<float>(percent.X), h * static_cast<float>(percent.Y),
            w * static_cast<float>(percent.Width), h * static_cast<float>(percent.Height)};
}

} // namespace nq::frame
