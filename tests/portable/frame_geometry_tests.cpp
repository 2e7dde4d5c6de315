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
        EXPECT_EQ(RollUpHeights(h, 96), up) << h;
        EXPECT_EQ(RollDownHeights(h, 96), down) << h;
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
        EXPECT_EQ(ResizedClient(from, kind, dx, dy, 96), expected)
            << int(kind) << ' ' << dx << ',' << dy;
}

TEST(FrameGeometry, SavedBoundsOffEveryMonitorOrOfNoUsableSizeStartAtTheDefault) {
    // A primary monitor and a second one to its left, lower down.
    const std::vector<Rect> monitors{{0, 0, 1280, 1024}, {-1920, 200, 1920, 1080}};
    const Rect fallback = kDefaultClientBounds;
    for (const auto& [saved, kept] : std::vector<std::pair<Rect, bool>>{
             {{100, 100, 320, 320}, true},
             {{-1500, 600, 800, 600}, true},            // on the second monitor
             {{16, -20, 320, 400}, true},               // the toolbar's lower rows show
             {{1248, 500, 400, 300}, true},             // 32 columns show
             {{1249, 500, 400, 300}, false},            // 31 do not
             {{100, -24, 400, 300}, true},              // 8 of the top rows show
             {{100, -25, 400, 300}, false},             // 7 do not
             {{100, 1016, 400, 300}, true},             // 8 rows at the bottom
             {{-1920, 100, 400, 300}, false},           // top rows above the second monitor
             {{-99999, 100, 320, 320}, false},          // far to the left
             {{100, 99999, 320, 320}, false},           // far below
             {{100, 100, 0, 320}, false},               // no width
             {{100, 100, 320, -500}, false},            // negative height
             {{100, 100, 319, 320}, false},             // below the smallest client
             {{100, 100, 320, 159}, false},             //
             {{100, 100, 320, 160}, true},              // the smallest client
             {{100, 100, 32767, 32767}, true},          // the largest window
             {{100, 100, 32768, 320}, false},           //
             {{100, 100, INT_MAX, 320}, false},         // beyond what a window can be
             {{INT_MAX, INT_MAX, 320, 320}, false},     // no overflow at the far corner
             {{INT_MIN, INT_MIN, 32767, 32767}, false}, //
         }) {
        SCOPED_TRACE(testing::Message() << saved.Left << "," << saved.Top << " " << saved.Width
                                        << "x" << saved.Height);
        EXPECT_EQ(UsableClientBounds(saved, monitors), kept);
        EXPECT_EQ(StartClientBounds(saved, monitors, 96), kept ? saved : fallback);
    }
    EXPECT_EQ(fallback, (Rect{100, 100, 320, 320}));
    EXPECT_FALSE(UsableClientBounds(fallback, {})); // no monitor: nothing shows
}

TEST(FrameGeometry, WorkspaceBoundsBecomeScreenBoundsByTheWorkAreasOffset) {
    const Rect monitor{0, 0, 1280, 1024};
    const Rect restored{100, 80, 400, 300};
    for (const auto& [work, screen] : std::vector<std::pair<Rect, Rect>>{
             {{0, 0, 1280, 984}, {100, 80, 400, 300}},      // taskbar at the bottom
             {{0, 40, 1280, 984}, {100, 120, 400, 300}},    // at the top
             {{62, 0, 1218, 1024}, {162, 80, 400, 300}}}) { // at the left
        EXPECT_EQ(ScreenFromWorkspace(restored, monitor, work), screen);
    }
    // A second monitor with its taskbar at its top: only the offset counts.
    EXPECT_EQ(ScreenFromWorkspace(restored, {-1920, 200, 1920, 1080}, {-1920, 240, 1920, 1040}),
              (Rect{100, 120, 400, 300}));
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

// At 150 % the frame takes every size and position of the skin one and a half
// times (rounded as nq::Scaled rounds), and its own limits with them;
// percentages, anchors and colours stay.
TEST(FrameGeometry, AtOneHundredFiftyPercentTheSkinsPixelSizesAreScaled) {
    nq::SkinValues skin;
    skin.Left = {7, 5, -1, 7};
    skin.Right.Width = 7, skin.Right.ResizeBorder3 = 24, skin.Right.ResizeBorder4 = -1;
    skin.Bottom = {7, 3, -1, 7};
    skin.Top = {32, 30, 20, 21, 1, 2};
    skin.Caption.FontSize = 13;
    skin.Caption.Rects[0] = {0, 13, 100, 84};
    skin.Buttons.Places[0][0] = {-35, 8, 2};
    const nq::SkinValues s = ScaledSkinValues(skin, 144);
    EXPECT_EQ(
        (std::vector{s.Left.Width, s.Left.InActiveWidth, s.Left.ResizeBorder1, s.Left.ResizeBorder2,
                     s.Right.Width, s.Right.ResizeBorder3, s.Right.ResizeBorder4, s.Bottom.Height,
                     s.Bottom.InActiveHeight, s.Top.Height, s.Top.InActiveHeight,
                     s.Top.RolledUpHeight, s.Top.RolledUpInActiveHeight, s.Caption.FontSize}),
        (std::vector{11, 8, -2, 11, 11, 36, -2, 11, 5, 48, 45, 30, 32, 20}));
    const nq::ButtonPlace& close = s.Buttons.Places[0][0];
    EXPECT_EQ((std::vector{close.X, close.Y, close.Align}), (std::vector{-53, 12, 2}));
    EXPECT_EQ(s.Caption.Rects[0].Y, 13);
    EXPECT_EQ(s.Caption.Rects[0].Height, 84);
    // Every column of the scaled border (0 to 10) is in its resize zone.
    EXPECT_EQ(LeftZone(s.Left, 0), K::LeftEdge);
    EXPECT_EQ(LeftZone(s.Left, 10), K::LeftEdge);
    EXPECT_EQ(LeftZone(s.Left, 11), K::None);
    // The frame's own sizes: the default bounds, the smallest client, the
    // roll steps' least pixel.
    EXPECT_EQ(DefaultClientBounds(144), (Rect{150, 150, 480, 480}));
    EXPECT_EQ(DefaultClientBounds(96), kDefaultClientBounds);
    EXPECT_EQ(ResizedClient({0, 0, 600, 400}, K::WidthAndHeight, -500, -500, 144),
              (Rect{0, 0, 480, 240}));
    EXPECT_EQ(RollUpHeights(9, 144), (std::vector{9, 7, 5, 3}));
    EXPECT_EQ(RollDownHeights(9, 144), (std::vector{0, 2, 4, 6, 9}));
    // Saved bounds are screen pixels: usable or not whatever the DPI, and
    // only the default follows the primary monitor's scale.
    const std::vector<Rect> monitors{{0, 0, 1920, 1200}};
    EXPECT_EQ(StartClientBounds({10, 10, 320, 160}, monitors, 144), (Rect{10, 10, 320, 160}));
    EXPECT_EQ(StartClientBounds({10, 10, 0, 0}, monitors, 144), (Rect{150, 150, 480, 480}));
}

} // namespace
