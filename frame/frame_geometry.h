// The geometry of the five windows: edge sizes per state, where each window
// stands around the client rectangle, the steps of rolling up and down, the
// border resize zones and steps, and the title bar buttons' anchors.
// Portable: no Windows calls.
//
// A skin's sizes are sizes at 96 DPI (ScaledSkinValues turns them into the
// pixels of the frame's DPI); rectangles are screen pixels.
#pragma once

#include "dpi_scale.h"
#include "skin_values.h"

#include <vector>

namespace nq::frame {

struct Rect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const Rect& o) const {
        return Left == o.Left && Top == o.Top && Width == o.Width && Height == o.Height;
    }
};

// The largest edge size a skin can give a window: larger values count as
// this, negative ones as 0.
inline constexpr int kMaxEdgeSize = 32767;

// The skin's values as a frame at dpi uses them: every size and position in
// pixels (the edge sizes, the resize zones, the caption's em size, the title
// buttons' X and Y), scaled from 96 DPI by nq::Scaled; percentages, anchors,
// colours and texts as they are.
SkinValues ScaledSkinValues(const SkinValues& skin, int dpi);

// LeftWidth, RightWidth, TopHeight, BottomHeight of a state (skin values held
// to 0 ... kMaxEdgeSize).
struct EdgeSizes {
    int Left = 0, Right = 0, Top = 0, Bottom = 0;
};
EdgeSizes EdgeSizesFor(const SkinValues& skin, bool active, bool rolledUp);

// The five windows around the client rectangle.
struct FrameRects {
    Rect Title, Client, Bottom, Right, Left;
};
// ArrangeFrame's rectangles for the client rectangle (x, y, w, h).
FrameRects ArrangeRects(const Rect& client, const EdgeSizes& edges);
// MoveFrame's rectangles: the client moved by (dx, dy); while rolled up the
// client height counts as 0 and the title bar (currently at title) moves by
// the same offset at its own height.
FrameRects MoveRects(const Rect& client, const Rect& title, int dx, int dy, bool rolledUp,
                     const EdgeSizes& edges);

// The smallest client the frame keeps while a border is dragged: room for
// the toolbar with its search bar and the trash area, the two list panes and
// the preview pane at their minimums, the bars and the details strip (at 96
// DPI; scaled with the frame's DPI).
inline constexpr int kMinClientWidth = 320;
inline constexpr int kMinClientHeight = 160;

// The client's bounds on a first start, and the size the Max button gives it,
// at 96 DPI; DefaultClientBounds gives them in pixels at dpi.
inline constexpr Rect kDefaultClientBounds{100, 100, 320, 320};
Rect DefaultClientBounds(int dpi);
// The largest width or height a window can take.
inline constexpr int kMaxWindowSize = 32767;
// How much of the client's top rows (the toolbar, which drags the frame like
// the title bar) must lie on one monitor for the user to take hold of it: a
// piece of the top kHoldBandHeight rows at least kMinVisibleWidth wide and
// kMinVisibleHeight high.
inline constexpr int kHoldBandHeight = 32;
inline constexpr int kMinVisibleWidth = 32;
inline constexpr int kMinVisibleHeight = 8;

// Whether saved client bounds can be started at: each dimension from the
// smallest client to kMaxWindowSize, and enough of the top rows on one of the
// monitors (their rectangles on the virtual screen). Saved bounds are screen
// pixels: the smallest client and the visible piece count as at 96 DPI, so
// that a file reads the same whatever the monitor.
bool UsableClientBounds(const Rect& bounds, const std::vector<Rect>& monitors);
// The bounds to start at: the saved ones when usable, else the default bounds
// at the primary monitor's primaryDpi, which lie on that monitor (its corner
// is the screen's origin).
Rect StartClientBounds(const Rect& saved, const std::vector<Rect>& monitors, int primaryDpi);
// A window's restored bounds as the window system reports them for a
// minimised window (workspace coordinates: relative to the work area of its
// monitor) turned into screen coordinates.
Rect ScreenFromWorkspace(const Rect& bounds, const Rect& monitor, const Rect& workArea);

// The client heights of the roll-up animation (h, h - s, ... while above the
// step s = h / 10, at least a pixel at 96 DPI scaled to dpi), after which the
// windows are hidden; and of the roll-down (0, s, 2s, ... while below
// savedHeight - s), followed by savedHeight (a negative savedHeight counts as
// 0, so the roll-down always has a last step).
std::vector<int> RollUpHeights(int height, int dpi);
std::vector<int> RollDownHeights(int savedHeight, int dpi);

// Where a press on a border window starts a resize.
enum class ResizeKind { None, Height, LeftEdge, Width, WidthAndHeight };
// Bottom border: rows ResizeBorder1 < y < ResizeBorder2 resize the height.
ResizeKind BottomZone(const BottomValues& bottom, int y);
// Left border: columns ResizeBorder1 < x < ResizeBorder2 move the left edge.
ResizeKind LeftZone(const SideValues& left, int x);
// Right border: in its columns, the corner rows (height - ResizeBorder3 < y <
// height - ResizeBorder4) resize both ways, the others the width.
ResizeKind RightZone(const RightValues& right, int x, int y, int windowHeight);

// The client rectangle after one resize step by the pointer's movement
// (dx, dy), held to the smallest client at dpi: a left edge dragged too far
// right stops where the client keeps its smallest width, its right edge in
// place. A dimension already below the smallest (an old settings file) can
// grow but not shrink further: it is held to its present size, never made to
// jump. Only the dimensions the kind drags are held.
Rect ResizedClient(const Rect& client, ResizeKind kind, int dx, int dy, int dpi);

// ButtonAnchor: width / 2 (truncated) for Align 1, width for Align 2, else 0.
int ButtonAnchor(int align, int width);
// The width the title buttons are hit-tested against: the client width with
// the active border widths (as EdgeSizesFor gives them) in every state.
int ReferenceWidth(int clientWidth, const SkinValues& skin);

// Whether (x, y), in title bar coordinates, hits a button image shown iw x ih
// whose top-left corner is at (left, top): strictly inside on all four sides
// and on a pixel whose alpha is not 0 (alphaAt gets coordinates relative to
// that corner, in pixels of the title bar).
template <typename AlphaAt>
bool ButtonHit(int x, int y, int left, int top, int iw, int ih, AlphaAt alphaAt) {
    return left < x && x < left + iw && top < y && y < top + ih && alphaAt(x - left, y - top) != 0;
}

// The caption's layout rectangle in a title bar w x h, from percentages.
struct RectF {
    float Left = 0, Top = 0, Width = 0, Height = 0;
};
RectF CaptionLayout(const CaptionRect& percent, int width, int height);

} // namespace nq::frame
