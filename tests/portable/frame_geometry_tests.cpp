// The frame's geometry: edge sizes per state, the five rectangles, the roll
// steps, the resize zones and steps, the title buttons' anchors and hits.
#include "frame_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <tuple>
#include <utility>
#include <vector>

namespace nq::frame {
// Where gtest finds it, for the messages of failed comparisons.
static std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << '(' << r.Left << ',' << r.Top << ',' << r.Width << ',' << r.Height << ')';
}
} // namespace nq::frame

namespace {

using namespace nq::frame;
using Kind = ResizeKind;

TEST(FrameGeometry, EdgeSizesFollowBothFlagsAndStayWithinBounds) {
    nq::SkinValues skin;
    skin.Left = {4, 40, 0, 0};
    skin.Right.Width = 6, skin.Right.InActiveWidth = -3;
    skin.Bottom = {8, INT_MAX, 0, 0};
    skin.Top = {30, 31, 22, 23, 0, 0};
    const struct {
        bool Active, RolledUp;
        int Left, Right, Top, Bottom;
    } cases[] = {{true, false, 4, 6, 30, 8},
                 {false, false, 40, 0, 31, kMaxEdgeSize},
                 {true, true, 4, 6, 22, 8},
                 {false, true, 40, 0, 23, kMaxEdgeSize}};
    for (const auto& c : cases) {
        const EdgeSizes e = EdgeSizesFor(skin, c.Active, c.RolledUp);
        EXPECT_EQ((std::vector{e.Left, e.Right, e.Top, e.Bottom}),
                  (std::vector{c.Left, c.Right, c.Top, c.Bottom}))
            << c.Active << c.RolledUp;
    }
    EXPECT_EQ(ReferenceWidth(400, skin), 410); // active widths while inactive too
}

TEST(FrameGeometry, ArrangeAndMoveSurroundTheClientWithoutOverlap) {
    const EdgeSizes edges{4, 6, 30, 8};
    const Rect client{100, 50, 400, 300};
    const FrameRects a = ArrangeRects(client, edges);
    EXPECT_EQ(a.Title, (Rect{96, 20, 410, 30}));
    EXPECT_EQ(a.Client, client);
    EXPECT_EQ(a.Bottom, (Rect{100, 350, 400, 8}));
    EXPECT_EQ(a.Right, (Rect{500, 50, 6, 308}));
    EXPECT_EQ(a.Left, (Rect{96, 50, 4, 308}));

    const FrameRects m = MoveRects(client, a.Title, 5, -7, false, edges);
    EXPECT_EQ(m.Title, (Rect{101, 13, 410, 30}));
    EXPECT_EQ(m.Right, (Rect{505, 43, 6, 308}));

    // Rolled up: height 0 below the client's top; the title bar keeps its own
    // top and height, whatever the edge sizes say.
    const FrameRects r = MoveRects(client, {96, 10, 410, 22}, 5, -7, true, edges);
    EXPECT_EQ(r.Client, (Rect{105, 43, 400, 0}));
    EXPECT_EQ(r.Bottom, (Rect{105, 43, 400, 8}));
    EXPECT_EQ(r.Right, (Rect{505, 43, 6, 8}));
    EXPECT_EQ(r.Left, (Rect{101, 43, 4, 8}));
    EXPECT_EQ(r.Title, (Rect{101, 3, 410, 22}));
}

TEST(FrameGeometry, RollStepsEndForEveryHeight) {
    const struct {
        int Height;
        std::vector<int> Up, Down;
    } cases[] = {{300,
                  {300, 270, 240, 210, 180, 150, 120, 90, 60},
                  {0, 30, 60, 90, 120, 150, 180, 210, 240, 300}},
                 {9, {9, 8, 7, 6, 5, 4, 3, 2}, {0, 1, 2, 3, 4, 5, 6, 7, 9}},
                 {1, {}, {1}},
                 {0, {}, {0}},
                 {-5, {}, {0}}};
    for (const auto& c : cases) {
        EXPECT_EQ(RollUpHeights(c.Height), c.Up) << c.Height;
        EXPECT_EQ(RollDownHeights(c.Height), c.Down) << c.Height;
    }
}

TEST(FrameGeometry, ResizeZonesHaveStrictBounds) {
    for (const auto& [at, kind] :
         {std::pair{2, Kind::None}, {3, Kind::Height}, {5, Kind::Height}, {6, Kind::None}}) {
        EXPECT_EQ(BottomZone({0, 0, 2, 6}, at), kind) << at;
        EXPECT_EQ(LeftZone({0, 0, 2, 6}, at), kind == Kind::None ? kind : Kind::LeftEdge) << at;
    }
    nq::RightValues right;
    right.ResizeBorder1 = 1, right.ResizeBorder2 = 5, right.ResizeBorder3 = 20;
    right.ResizeBorder4 = 2; // corner rows 80 < y < 98 of a window 100 high
    const struct {
        int X, Y;
        Kind Expected;
    } cases[] = {{1, 90, Kind::None},           {5, 90, Kind::None},
                 {2, 90, Kind::WidthAndHeight}, {4, 80, Kind::Width},
                 {4, 81, Kind::WidthAndHeight}, {4, 97, Kind::WidthAndHeight},
                 {4, 98, Kind::Width},          {4, 0, Kind::Width}};
    for (const auto& c : cases)
        EXPECT_EQ(RightZone(right, c.X, c.Y, 100), c.Expected) << c.X << ',' << c.Y;
    right.ResizeBorder3 = INT_MIN; // no corner, and no overflow either
    EXPECT_EQ(RightZone(right, 2, 90, 100), Kind::Width);
}

TEST(FrameGeometry, ResizeStepsFollowThePointerDownToTheSmallestClient) {
    const Rect big{100, 50, 400, 300}, small{100, 50, 200, 100}; // small: below the smallest
    const struct {
        Rect From;
        Kind How;
        int Dx, Dy;
        Rect Expected;
    } cases[] = {{big, Kind::None, 9, 9, big},
                 {big, Kind::Height, 9, 20, {100, 50, 400, 320}},
                 {big, Kind::Height, 0, -200, {100, 50, 400, kMinClientHeight}},
                 {big, Kind::LeftEdge, 20, 9, {120, 50, 380, 300}},
                 {big, Kind::LeftEdge, 200, 0, {180, 50, kMinClientWidth, 300}},
                 {big, Kind::LeftEdge, -30, 0, {70, 50, 430, 300}},
                 {big, Kind::Width, -30, 9, {100, 50, 370, 300}},
                 {big, Kind::WidthAndHeight, 10, -500, {100, 50, 410, kMinClientHeight}},
                 {small, Kind::Width, -5, 0, small},
                 {small, Kind::Width, 5, 0, {100, 50, 205, 100}},
                 {small, Kind::LeftEdge, 5, 0, small},
                 {small, Kind::WidthAndHeight, -5, 3, {100, 50, 200, 103}}};
    for (const auto& c : cases)
        EXPECT_EQ(ResizedClient(c.From, c.How, c.Dx, c.Dy), c.Expected)
            << c.From << " kind " << int(c.How) << " by " << c.Dx << ',' << c.Dy;
}

TEST(FrameGeometry, ButtonsAnchorAndHitStrictlyInsideOnOpaquePixels) {
    EXPECT_EQ(ButtonAnchor(2, 500) - 30, 470);
    for (const auto& [align, width, anchor] :
         {std::tuple{1, 301, 150}, {1, -301, -150}, {0, 500, 0}, {3, 500, 0}, {-1, 500, 0}})
        EXPECT_EQ(ButtonAnchor(align, width), anchor) << align << ' ' << width;

    // A 10 x 8 image at (20, 5) with one transparent pixel at (3, 3).
    const auto alpha = [](int x, int y) { return x == 3 && y == 3 ? 0 : 255; };
    for (const auto& [x, y, hit] : {std::tuple{20, 9, false},
                                    {21, 9, true},
                                    {29, 9, true},
                                    {30, 9, false},
                                    {25, 5, false},
                                    {25, 6, true},
                                    {25, 12, true},
                                    {25, 13, false},
                                    {23, 8, false}})
        EXPECT_EQ(ButtonHit(x, y, 20, 5, 10, 8, alpha), hit) << x << ',' << y;
}

} // namespace
