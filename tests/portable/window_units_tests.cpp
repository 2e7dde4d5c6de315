// The client window's portable units: integers of the settings file, the
// files beside the program and the sample text lines, and the pane geometry.
#include "bar_rules.h"
#include "int_text.h"
#include "pane_layout.h"
#include "program_files.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ParseIntOr, ReadsDecimalAndHexadecimalWithZeroX) {
    EXPECT_EQ(ParseIntOr("20", 32), 20);
    EXPECT_EQ(ParseIntOr("-20", 32), -20);
    EXPECT_EQ(ParseIntOr("+7", 32), 7);
    EXPECT_EQ(ParseIntOr("0x1F", 32), 31);
    EXPECT_EQ(ParseIntOr("0Xff", 32), 255);
    EXPECT_EQ(ParseIntOr("-0x10", 32), -16);
    EXPECT_EQ(ParseIntOr(" 185 ", 0), 185);
    EXPECT_EQ(ParseIntOr("007", 0), 7);
    EXPECT_EQ(ParseIntOr("2147483647", 0), INT_MAX);
    EXPECT_EQ(ParseIntOr("-2147483648", 0), INT_MIN);
    EXPECT_EQ(ParseIntOr("0x7FFFFFFF", 0), INT_MAX);
}

TEST(ParseIntOr, AnythingElseGivesTheFallback) {
    for (const char* text :
         {"", " ", "abc", "12abc", "1 2", "0x", "0xg1", "x10", "$10", "1.5", "-", "+", "--1",
          "2147483648", "-2147483649", "0x80000000", "99999999999999999999", "1e3"})
        EXPECT_EQ(ParseIntOr(text, 32), 32) << '"' << text << '"';
    EXPECT_FALSE(ParseInt("").has_value());
    EXPECT_EQ(ParseInt("0"), 0);
}

TEST(ProgramFiles, SettingsAndSampleTextFilesSitBesideTheProgram) {
    EXPECT_EQ(ChangeFileExtension("C:\\Apps\\NimbQuillbox.exe", ".ini"),
              "C:\\Apps\\NimbQuillbox.ini");
    EXPECT_EQ(ChangeFileExtension("C:\\Apps\\nq.v2\\prog", ".txt"), "C:\\Apps\\nq.v2\\prog.txt");
    EXPECT_EQ(ChangeFileExtension("C:\\a.b.exe", ".ini"), "C:\\a.b.ini");
    EXPECT_EQ(ChangeFileExtension("prog", ".ini"), "prog.ini");
}

TEST(ProgramFiles, SampleTextLinesSurviveTheRoundTrip) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_TRUE(SplitTextLines("").empty());
    EXPECT_EQ(TextFileContent({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(TextFileContent({}), "");

    for (const std::string& text :
         {std::string("one"), std::string("one\r\ntwo"), std::string("one\r\n"),
          std::string("\r\n\r\nx"), std::string("")}) {
        const std::string file = TextFileContent(EditLines(text));
        EXPECT_EQ(EditText(SplitTextLines(file)), text) << text;
    }
}

using layout::ComputeClientLayout;
using layout::PaneSizes;
using layout::Rect;

TEST(PaneLayout, PlacesEveryControlAsDesigned) {
    const auto l = ComputeClientLayout(800, 500, PaneSizes{150, 200, 23});
    EXPECT_EQ(l.Toolbar, (Rect{0, 0, 800, 34}));
    EXPECT_EQ(l.Panel10, (Rect{615, 0, 185, 34}));
    EXPECT_EQ(l.EditSearch, (Rect{44, 6, 113, 18}));
    EXPECT_EQ(l.BgPanel, (Rect{0, 34, 800, 466}));
    EXPECT_EQ(l.Panel3, (Rect{1, 0, 150, 466}));
    EXPECT_EQ(l.CollectionHeader, (Rect{0, 0, 150, 17}));
    EXPECT_EQ(l.LbFolders, (Rect{0, 17, 150, 466 - 17 - 29}));
    EXPECT_EQ(l.Panel9, (Rect{0, 437, 150, 29}));
    EXPECT_EQ(l.Splitter1, (Rect{151, 0, 1, 466}));
    EXPECT_EQ(l.Panel1, (Rect{152, 0, 200, 466}));
    EXPECT_EQ(l.LbFonts, (Rect{0, 17, 200, 420}));
    EXPECT_EQ(l.Splitter2, (Rect{352, 0, 1, 466}));
    EXPECT_EQ(l.PreviewPanel, (Rect{353, 0, 447, 466}));
    EXPECT_EQ(l.PaintBox1, (Rect{0, 443, 447, 23}));
    EXPECT_EQ(l.Splitter3, (Rect{0, 437, 447, 6}));
    EXPECT_EQ(l.Panel5, (Rect{0, 0, 447, 437}));
    EXPECT_EQ(l.Panel6, (Rect{1, 1, 445, 41}));
    EXPECT_EQ(l.Panel7, (Rect{445 - 97, 0, 97, 41}));
    EXPECT_EQ(l.ComboBox1.Left, 31);
    EXPECT_EQ(l.ComboBox1.Top, 12);
    EXPECT_EQ(l.ComboBox1.Width, 57);
    EXPECT_EQ(l.LbPreview, (Rect{1, 42, 445, 437 - 2 - 41}));
}

TEST(PaneLayout, TooSmallWindowsAndOddSizesGiveNoNegativeSizes) {
    for (const PaneSizes& sizes : {PaneSizes{185, 185, 23}, PaneSizes{-50, 100000, -3},
                                   PaneSizes{0, 0, 0}, PaneSizes{10, 10, 5000}}) {
        for (const auto& [w, h] : {std::pair{320, 320}, std::pair{0, 0}, std::pair{-10, 20},
                                   std::pair{100, 40}, std::pair{2000, 1500}}) {
            const auto l = ComputeClientLayout(w, h, sizes);
            for (const Rect& r : {l.Toolbar, l.BgPanel, l.Panel3, l.LbFolders, l.Panel9, l.Panel1,
                                  l.LbFonts, l.Panel8, l.PreviewPanel, l.Panel5, l.Panel6, l.Panel7,
                                  l.LbPreview, l.Splitter3, l.PaintBox1}) {
                EXPECT_GE(r.Width, 0);
                EXPECT_GE(r.Height, 0);
            }
            // The controls stacked in the preview pane never leave it.
            EXPECT_LE(l.PaintBox1.Top + l.PaintBox1.Height, l.BgPanel.Height);
            EXPECT_GE(l.Splitter3.Top, 0);
        }
    }
}

TEST(Splitters, PaneAndTheFreeAreaBeyondItKeepThirtyPixels) {
    const PaneSizes sizes{185, 185, 23};
    // bgPanel 600 wide: margin 1, two splitters, the other pane 185 -> 412 shared.
    EXPECT_EQ(layout::DraggedCollectionsPane(200, 600, sizes), 200);
    EXPECT_EQ(layout::DraggedCollectionsPane(5, 600, sizes), 30);
    EXPECT_EQ(layout::DraggedCollectionsPane(1000, 600, sizes), 412 - 30);
    EXPECT_EQ(layout::DraggedFontsPane(-40, 600, sizes), 30);
    EXPECT_EQ(layout::DraggedFontsPane(383, 600, sizes), 382);
    // No room for both minimums: the pane stays as it is.
    EXPECT_EQ(layout::DraggedCollectionsPane(100, 240, sizes), 185);
}

TEST(Splitters, DetailsStripDraggedToItsMinimumTakesItsDesignHeight) {
    const PaneSizes sizes{185, 185, 23};
    EXPECT_EQ(layout::DraggedDetailsPane(30, 400, sizes), 23);
    EXPECT_EQ(layout::DraggedDetailsPane(26, 400, sizes), 23);
    EXPECT_EQ(layout::DraggedDetailsPane(31, 400, sizes), 31);
    EXPECT_EQ(layout::DraggedDetailsPane(100, 400, sizes), 100);
    // The preview area above keeps 30: 400 - 6 - 30.
    EXPECT_EQ(layout::DraggedDetailsPane(1000, 400, sizes), 364);
    for (int proposed = -10; proposed < 400; ++proposed) {
        const int h = layout::DraggedDetailsPane(proposed, 400, sizes);
        EXPECT_TRUE(h == 23 || h >= 31) << proposed;
    }
}

TEST(PaneLayout, SizesThatDoNotFitAreHeldToTheSplittersLimits) {
    struct Case {
        PaneSizes Sizes;
        int Width, Height;
        PaneSizes Fitted;
    };
    // The list panes share width - 33 - 30; the strip leaves 6 + 30 above it.
    for (const Case& c : {
             Case{{185, 185, 23}, 600, 400, {185, 185, 23}},       // fits: unchanged
             Case{{185, 99999, 99999}, 600, 400, {185, 382, 364}}, // the fonts pane gives way
             Case{{500, 185, 23}, 600, 400, {500, 67, 23}},
             Case{{185, 185, 23}, 200, 400, {137, 30, 23}},
             Case{{185, 185, 100}, 50, 40, {30, 30, 23}}, // no room: the minimums
             Case{{10, 12, 5}, 600, 400, {10, 12, 5}},    // small sizes are kept
         }) {
        const PaneSizes f = layout::FitPaneSizes(c.Sizes, c.Width, c.Height);
        EXPECT_EQ(f.CollectionsPane, c.Fitted.CollectionsPane) << c.Width;
        EXPECT_EQ(f.FontsPane, c.Fitted.FontsPane) << c.Width;
        EXPECT_EQ(f.DetailsPane, c.Fitted.DetailsPane) << c.Width;
    }
}

TEST(ButtonBars, ImagesFollowSelectionStateAndPresses) {
    using namespace nq::bars;
    const Pressed none, add{true, false}, toggle{false, true};
    EXPECT_STREQ(FontsBarAddImage(false, add), kAddInactive);
    EXPECT_STREQ(FontsBarAddImage(true, none), kAddNorm);
    EXPECT_STREQ(FontsBarAddImage(true, add), kAddDown);
    EXPECT_STREQ(CollectionsBarAddImage(add), kAddDown);
    EXPECT_EQ(FontsBarToggleImage(false, true, none), nullptr);
    EXPECT_STREQ(FontsBarToggleImage(true, true, none), kDisableNorm); // installed: offer off
    EXPECT_STREQ(FontsBarToggleImage(true, false, toggle), kEnableDown);
    EXPECT_EQ(CollectionsBarToggleImage(-1, false, none), nullptr);
    EXPECT_EQ(CollectionsBarToggleImage(0, true, none), nullptr); // "All Fonts"
    EXPECT_STREQ(CollectionsBarToggleImage(2, true, none), kEnableNorm);
    EXPECT_STREQ(CollectionsBarToggleImage(2, false, toggle), kDisableDown);
    EXPECT_EQ(ToggleLeft(20), 26);
    EXPECT_EQ(SearchImageLeft(185, 150), 30);
}

TEST(ButtonBars, CountTextReadsNaturally) {
    using nq::bars::FontCountText;
    EXPECT_EQ(FontCountText(1, std::nullopt), "1 font");
    EXPECT_EQ(FontCountText(0, std::nullopt), "0 fonts");
    EXPECT_EQ(FontCountText(25, std::nullopt), "25 fonts");
    EXPECT_EQ(FontCountText(3, 17), "3 of 17 fonts");
    EXPECT_EQ(FontCountText(1, 1), "1 of 1 font");
    EXPECT_EQ(FontCountText(0, 1), "0 of 1 font");
}

TEST(ButtonBars, TheFontsOnOffTipNamesWhatAClickDoesToTheSelection) {
    using nq::bars::FontsBarToggleTip;
    EXPECT_STREQ(FontsBarToggleTip(1, true), "Switch this font on");
    EXPECT_STREQ(FontsBarToggleTip(1, false), "Switch this font off");
    EXPECT_STREQ(FontsBarToggleTip(3, true), "Switch these fonts on"); // any off: all on
    EXPECT_STREQ(FontsBarToggleTip(3, false), "Switch these fonts off");
}

} // namespace
