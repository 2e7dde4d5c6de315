// The frame's geometry: edge sizes, the five rectangles, roll steps, resize
// zones and steps, the title buttons' anchors and hits.
#include "frame_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

namespace {

using namespace nq::frame;
using K = ResizeKind;

TEST(FrameGeometry, EdgeSizesFollowBothFlagsWithinBounds) {
    nq::SkinValues skin;
    skin.Left = {4, 40, 0, 0};
    skin.Right.Width = 6, skin.Right.InActiveWidth = -3;
    skin.Bottom = {8, INT_MAX, 0, 0};
    skin.Top = {30, 31, 22, 23, 0, 0};
    for (const auto& [active, rolled, expected] :
         {std::tuple{true, false, std::vector{4, 6, 30, 8}},
          {false, false, {40, 0, 31, 32767}},
          {true, true, {4, 6, 22, 8}},
          {false, true, {40, 0, 23, 32767}}}) {
        const EdgeSizes e = EdgeSizesFor(skin, active, rolled);
        EXPECT_EQ((std::vector{e.Left, e.Right, e.Top, e.Bottom}), expected) << active << rolled;
    }
    EXPECT_EQ(ReferenceWidth(400, skin), 410); // the active widths, whatever the state
}

TEST(FrameGeometry, ArrangeSurroundsTheClientAndRolledUpMoveKeepsTheTitleBar) {
    const EdgeSizes edges{4, 6, 30, 8};
    const FrameRects a = ArrangeRects({100, 50, 400, 300}, edges);
    EXPECT_EQ((std::vector{a.Title, a.Client, a.Bottom, a.Right, a.Left}),
              (std::vector<Rect>{{96, 20, 410, 30},
                                 {100, 50, 400, 300},
                                 {100, 350, 400, 8},
                                 {500, 50, 6, 308},
                                 {96, 50, 4, 308}}));
    const FrameRects r = MoveRects({100, 50, 400, 300}, {96, 10, 410, 22}, 5, -7, true, edges);
    EXPECT_EQ((std::vector{r.Title, r.Client, r.Bottom, r.Right, r.Left}),
              (std::vector<Rect>{{101, 3, 410, 22},
                                 {105, 43, 400, 0},
                                 {105, 43, 400, 8},
                                 {505, 43, 6, 8},
                                 {101, 43, 4, 8}}));
}

TEST(FrameGeometry, RollStepsEndForEveryHeight) {
    for (const auto& [h, up, down] :
         {std::tuple{300, std::vector{300, 270, 240, 210, 180, 150, 120, 90, 60},
                     std::vector{0, 30, 60, 90, 120, 150, 180, 210, 240, 300}},
          {9, {9, 8, 7, 6, 5, 4, 3, 2}, {0, 1, 2, 3, 4, 5, 6, 7, 9}},
          {1, {}, {1}},
          {0, {}, {0}}}) {
        EXPECT_EQ(RollUpHeights(h), up) << h;
        EXPECT_EQ(RollDownHeights(h), down) << h;
    }
}

TEST(FrameGeometry, ResizeZonesHaveStrictBounds) {
    for (const auto& [at, kind] :
         {std::pair{2, K::None}, {3, K::Height}, {5, K::Height}, {6, K::None}}) {
        EXPECT_EQ(BottomZone({0, 0, 2, 6}, at), kind) << at;
        EXPECT_EQ(LeftZone({0, 0, 2, 6}, at), kind == K::None ? kind : K::LeftEdge) << at;
    }
    nq::RightValues right; // columns 1 < x < 5; corner rows 80 < y < 98 of a window 100 high
    right.ResizeBorder1 = 1, right.ResizeBorder2 = 5, right.ResizeBorder3 = 20,
    right.ResizeBorder4 = 2;
    for (const auto& [x, y, kind] : {std::tuple{1, 90, K::None},
                                     {4, 80, K::Width},
                                     {2, 81, K::WidthAndHeight},
                                     {4, 98, K::Width}})
        EXPECT_EQ(RightZone(right, x, y, 100), kind) << x << ',' << y;
}

TEST(FrameGeometry, ResizeStepsStopAtTheSmallestClientWithoutJumps) {
    const Rect big{100, 50, 400, 300}, small{100, 50, 200, 100}; // small: below the smallest
    for (const auto& [from, kind, dx, dy, expected] :
         {std::tuple{big, K::Height, 9, -200, Rect{100, 50, 400, 160}},
          {big, K::LeftEdge, 20, 9, {120, 50, 380, 300}},
          {big, K::LeftEdge, 200, 0, {180, 50, 320, 300}}, // the right edge stays
          {big, K::WidthAndHeight, 10, 5, {100, 50, 410, 305}},
          {small, K::Width, -5, 0, small},
          {small, K::LeftEdge, -5, 0, {95, 50, 205, 100}}})
        EXPECT_EQ(ResizedClient(from, kind, dx, dy), expected)
            << int(kind) << ' ' << dx << ',' << dy;
}

TEST(FrameGeometry, ButtonsAnchorAndHitStrictlyInsideOnOpaquePixels) {
    EXPECT_EQ(ButtonAnchor(2, 500) - 30, 470);
    EXPECT_EQ(ButtonAnchor(1, 301), 150);
    EXPECT_EQ(ButtonAnchor(3, 301), 0);
    const auto alpha = [](int x, int y) { return x == 3 && y == 3 ? 0 : 255; };
    for (const auto& [x, y, hit] : {std::tuple{20, 9, false},
                                    {21, 9, true},
                                    {30, 9, false},
                                    {25, 5, false},
                                    {25, 12, true},
                                    {23, 8, false}})
        EXPECT_EQ(ButtonHit(x, y, 20, 5, 10, 8, alpha), hit) << x << ',' << y; // 10 x 8 at (20, 5)
}

} // namespace
