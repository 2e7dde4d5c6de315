// Sizes at 96 DPI turned into pixels at other DPIs, and the client window's
// layout at 150 %: every edge where the 96-DPI layout times 1.5 puts it.
#include "dpi_scale.h"
#include "pane_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(DpiScale, RoundsHalvesAwayFromZeroAsMulDivDoes) {
    for (const auto& [size, dpi, pixels] :
         std::vector<std::tuple<int, int, int>>{{0, 144, 0},
                                                {1, 144, 2},
                                                {-1, 144, -2},
                                                {3, 144, 5},
                                                {7, 144, 11},
                                                {15, 144, 23},
                                                {185, 144, 278},
                                                {11, 120, 14},
                                                {-11, 144, -17},
                                                {13, 168, 23},
                                                {32, 192, 64},
                                                {5, 72, 4},
                                                {320, 96, 320},
                                                {-7, 96, -7},
                                                {10, 0, 10},
                                                {10, -120, 10},
                                                {INT_MAX, 192, INT_MAX},
                                                {INT_MIN, 192, INT_MIN},
                                                {INT_MAX, 96, INT_MAX}})
        EXPECT_EQ(nq::Scaled(size, dpi), pixels) << size << " at " << dpi;
    EXPECT_EQ(nq::Unscaled(278, 144), 185);
    EXPECT_EQ(nq::Unscaled(3, 144), 2);   // 2.0
    EXPECT_EQ(nq::Unscaled(-3, 192), -2); // -1.5
}

// What the settings file keeps survives a session on any monitor from 100 %.
TEST(DpiScale, SizesComeBackUnchangedFromEveryScale) {
    for (const int dpi : {96, 120, 144, 168, 192, 240, 288, 480})
        for (int size = -2000; size <= 2000; ++size)
            ASSERT_EQ(nq::Unscaled(nq::Scaled(size, dpi), dpi), size) << size << " at " << dpi;
}

TEST(DpiScale, DoubleSizeImagesFromOneHundredFiftyPercent) {
    EXPECT_FALSE(nq::UsesDoubleSizeImages(96));
    EXPECT_FALSE(nq::UsesDoubleSizeImages(143));
    EXPECT_TRUE(nq::UsesDoubleSizeImages(144));
    EXPECT_TRUE(nq::UsesDoubleSizeImages(288));
    EXPECT_FALSE(nq::UsesDoubleSizeImages(0)); // counts as 96
    for (const auto& [name, twice] : std::vector<std::pair<std::string, std::string>>{
             {"+norm.png", "+norm@2x.png"},
             {"bg.bmp", "bg@2x.bmp"},
             {"rolled_inactive_left_top.png", "rolled_inactive_left_top@2x.png"},
             {"a.b.png", "a.b@2x.png"},
             {"noext", "noext@2x"},
             {".png", ".png@2x"},
             {"dir.d\\file", "dir.d\\file@2x"}})
        EXPECT_EQ(nq::DoubleSizeImageName(name), twice) << name;
}

TEST(DpiScale, ImagesTakeTheirSizeAtTheWindowsScaleAndHitBackOnTheirOwnPixels) {
    for (const auto& [extent, factor, dpi, shown] : std::vector<std::tuple<int, int, int, int>>{
             {20, 1, 96, 20},
             {20, 1, 144, 30},
             {7, 1, 144, 11},
             {14, 2, 144, 11},
             {40, 2, 192, 40},
             {19, 1, 120, 24},
             {38, 2, 120, 24},
             {0, 2, 144, 0},
             {10, 0, 96, 10}}) // a factor below 1 counts as 1
        EXPECT_EQ(nq::ImageExtent(extent, factor, dpi), shown)
            << extent << "/" << factor << " at " << dpi;
    // A 14-pixel image shown 11 pixels wide: each shown pixel reads the image
    // pixel under its left edge; nothing outside.
    EXPECT_EQ(nq::ImagePixelAt(0, 14, 11), 0);
    EXPECT_EQ(nq::ImagePixelAt(10, 14, 11), 12);
    EXPECT_EQ(nq::ImagePixelAt(11, 14, 11), -1);
    EXPECT_EQ(nq::ImagePixelAt(-1, 14, 11), -1);
    EXPECT_EQ(nq::ImagePixelAt(29, 20, 30), 19);
    EXPECT_EQ(nq::ImagePixelAt(0, 0, 0), -1);
    EXPECT_EQ(nq::ImagePixelAt(0, 5, 0), -1);
}

// The rectangles of ClientLayout with their parents' offsets added: where
// each control stands in the client window.
std::vector<layout::Rect> Absolute(const layout::ClientLayout& l) {
    using layout::Rect;
    const auto in = [](const Rect& parent, const Rect& child) {
        return Rect{parent.Left + child.Left, parent.Top + child.Top, child.Width, child.Height};
    };
    const Rect panel10 = in(l.Toolbar, l.Panel10);
    const Rect panel3 = in(l.BgPanel, l.Panel3), panel1 = in(l.BgPanel, l.Panel1);
    const Rect preview = in(l.BgPanel, l.PreviewPanel), panel5 = in(preview, l.Panel5);
    const Rect panel6 = in(panel5, l.Panel6), panel7 = in(panel6, l.Panel7);
    return {l.Toolbar,
            panel10,
            in(panel10, l.Pb5),
            in(panel10, l.EditSearch),
            l.BgPanel,
            panel3,
            in(panel3, l.CollectionHeader),
            in(panel3, l.LbFolders),
            in(panel3, l.Panel9),
            in(in(panel3, l.Panel9), l.Pb4),
            in(l.BgPanel, l.Splitter1),
            panel1,
            in(panel1, l.FontHeader),
            in(panel1, l.LbFonts),
            in(panel1, l.Panel8),
            in(l.BgPanel, l.Splitter2),
            preview,
            panel5,
            panel6,
            panel7,
            in(panel7, l.Label5),
            in(panel7, l.ComboBox1),
            in(panel5, l.LbPreview),
            in(preview, l.Splitter3),
            in(preview, l.PaintBox1)};
}

TEST(PaneLayout, AtOneHundredFiftyPercentEveryEdgeIsWithinAPixelOfOneAndAHalfTimesItsPlace) {
    for (const layout::PaneSizes& sizes :
         {layout::PaneSizes{185, 185, 23}, layout::PaneSizes{150, 201, 100},
          layout::PaneSizes{31, 77, 47}}) {
        for (const auto& [w, h] : {std::pair{800, 500}, std::pair{1280, 800}, std::pair{641, 433},
                                   std::pair{320, 320}}) {
            // Sizes as the window lays them out: fitted to the pane area.
            const layout::PaneSizes fitted = layout::FitPaneSizes(sizes, w, h - 34, 96);
            ASSERT_EQ(layout::FitPaneSizes(sizes, nq::Scaled(w, 144), nq::Scaled(h, 144) - 51, 144)
                          .FontsPane,
                      fitted.FontsPane);
            const std::vector<layout::Rect> at96 =
                Absolute(layout::ComputeClientLayout(w, h, fitted, 96));
            const std::vector<layout::Rect> at144 = Absolute(
                layout::ComputeClientLayout(nq::Scaled(w, 144), nq::Scaled(h, 144), fitted, 144));
            ASSERT_EQ(at96.size(), at144.size());
            for (std::size_t i = 0; i < at96.size(); ++i) {
                const layout::Rect &a = at96[i], &b = at144[i];
                const auto near = [](int pixels, int at96Pixels) {
                    return std::abs(pixels - 1.5 * at96Pixels) <= 1.0;
                };
                EXPECT_TRUE(near(b.Left, a.Left) && near(b.Top, a.Top) &&
                            near(b.Left + b.Width, a.Left + a.Width) &&
                            near(b.Top + b.Height, a.Top + a.Height))
                    << "control " << i << " at " << w << "x" << h << ": " << b.Left << "," << b.Top
                    << " " << b.Width << "x" << b.Height << " against " << a.Left << "," << a.Top
                    << " " << a.Width << "x" << a.Height;
            }
        }
    }
}

// Pane sizes stay at 96 DPI whatever the window's scale: the splitters'
// limits and the fit to a small window count in the same units.
TEST(PaneLayout, SplittersAndTheFitCountInSizesAtNinetySixDpi) {
    const layout::PaneSizes sizes{185, 185, 23};
    // bgPanel 900 pixels at 150 % is 600 at 96 DPI: 412 shared as at 96.
    EXPECT_EQ(layout::DraggedCollectionsPane(1000, 900, sizes, 144), 412 - 30);
    EXPECT_EQ(layout::DraggedFontsPane(5, 900, sizes, 144), 30);
    EXPECT_EQ(layout::DraggedDetailsPane(30, 600, sizes, 144), 23);
    EXPECT_EQ(layout::DraggedDetailsPane(1000, 600, sizes, 144), 364);
    const layout::PaneSizes fitted = layout::FitPaneSizes({185, 99999, 99999}, 900, 600, 144);
    EXPECT_EQ(fitted.FontsPane, 382);
    EXPECT_EQ(fitted.DetailsPane, 364);
    EXPECT_EQ(layout::ToolbarHeight(144), 51);
}

} // namespace
