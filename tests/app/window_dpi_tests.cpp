// The client window and its frame at a display scale of 150 %: a window moved
// onto a monitor of another DPI (WM_DPICHANGED, sent here in the 96-DPI
// prefix), and a window started where the display scale is 144 DPI (the
// AtDpi144 tests, which run in a prefix whose LogPixels is 144 and skip
// themselves elsewhere): sizes one and a half times, the skin's double-size
// images drawn and hit, hard edges kept, settings kept at 96 DPI.
#include "window_test_support.h"

#include "dc.h"
#include "dpi_scale.h"

#include <cmath>
#include <map>

namespace {

constexpr std::uint32_t kRed = 0xFFC00000, kBlue = 0xFF0000C0, kGreen = 0xFF00A000,
                        kMagenta = 0xFFFF00FF, kClear = 0;

struct ControlWalk {
    HWND Form;
    std::map<int, RECT> Rects;
};

// A stdcall function: the i686 build's callbacks cannot be lambdas.
BOOL CALLBACK NoteControl(HWND child, LPARAM param) {
    auto& walk = *reinterpret_cast<ControlWalk*>(param);
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, walk.Form, reinterpret_cast<POINT*>(&r), 2);
    if (const int id = GetDlgCtrlID(child); id != 0)
        walk.Rects[id] = r;
    return TRUE;
}

// Every control of the client window by its ID, where it stands in the client
// window's client area.
std::map<int, RECT> ControlRects(HWND form) {
    ControlWalk walk{form, {}};
    EnumChildWindows(form, NoteControl, reinterpret_cast<LPARAM>(&walk));
    return walk.Rects;
}

RECT Bounds(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool Same(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// Whether every edge of `scaled` lies within a pixel of 1.5 times `at96`.
bool OneAndAHalfTimes(const RECT& scaled, const RECT& at96) {
    const auto within = [](LONG pixels, LONG at96Pixels) {
        return std::abs(pixels - 1.5 * at96Pixels) <= 1.0;
    };
    return within(scaled.left, at96.left) && within(scaled.top, at96.top) &&
           within(scaled.right, at96.right) && within(scaled.bottom, at96.bottom);
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// The pixel height of the font a control draws with (negative: the em).
LONG FontHeight(HWND control) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font.lfHeight;
}

bool SystemAt144() {
    const nq::ClientDC screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY) == 144;
}

// A skin of known shapes: a frame of plain pieces whose sizes are the skin's,
// a bottom border with a hard edge, bar and title buttons, with double-size
// forms where a test asks for them.
class ScaleTest : public WindowTest {
  protected:
    void WriteSkin() {
        skin_ = program_.Path() + "Skins\\Scaled\\";
        ASSERT_TRUE(CreateDirectoryA((program_.Path() + "Skins").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(skin_.c_str(), nullptr));
        WriteFileText(skin_ + "values.ini",
                      "[left]\r\nWidth=6\r\nInActiveWidth=6\r\n[right]\r\nWidth=6\r\n"
                      "InActiveWidth=6\r\n[top]\r\nHeight=20\r\nInActiveHeight=20\r\n"
                      "RolledUpHeight=20\r\nRolledUpInActiveHeight=20\r\n"
                      "[bottom]\r\nHeight=8\r\nInActiveHeight=8\r\n"
                      "[Buttons]\r\nCloseX=-20\r\nCloseY=2\r\nCloseAlign=2\r\n"
                      "InActiveCloseX=-20\r\nInActiveCloseY=2\r\nInActiveCloseAlign=2\r\n");
        const auto fill = [&](const std::string& name, int w, int h, std::uint32_t colour) {
            WritePng(skin_ + name, w, h, [colour](int, int) { return colour; });
        };
        for (const char* p : {"", "inactive_"}) {
            const std::string prefix = p;
            fill(prefix + "left_top.png", 8, 20, kGreen);
            fill(prefix + "right_top.png", 8, 20, kGreen);
            fill(prefix + "top.png", 4, 20, kGreen);
            fill(prefix + "left_middle.png", 6, 4, kGreen);
            fill(prefix + "left_bottom.png", 6, 8, kGreen);
            fill(prefix + "right_middle.png", 6, 4, kGreen);
            fill(prefix + "right_bottom.png", 6, 8, kGreen);
            // A hard edge across the bottom border: transparent above its
            // middle, opaque below; the double-size form the same at twice
            // the pixels.
            WritePng(skin_ + prefix + "bottom.png", 4, 8,
                     [](int, int y) { return y < 4 ? kClear : kRed; });
            WritePng(skin_ + prefix + "bottom@2x.png", 8, 16,
                     [](int, int y) { return y < 8 ? kClear : kRed; });
        }
        // The add button: 10 x 10 red with a transparent 3 x 3 corner; its
        // double size blue with a transparent 12 x 12 corner, so that which of
        // the two is drawn and hit shows.
        const auto cornered = [&](const std::string& name, int size, int corner,
                                  std::uint32_t colour) {
            WritePng(skin_ + name, size, size,
                     [=](int x, int y) { return x < corner && y < corner ? kClear : colour; });
        };
        cornered("+norm.png", 10, 3, kRed);
        cornered("+norm@2x.png", 20, 12, kBlue);
        cornered("+down.png", 10, 3, kMagenta);
        // Close: opaque at 1x; at double size only its right half is.
        fill("active_close.png", 10, 10, kRed);
        fill("inactive_close.png", 10, 10, kRed);
        WritePng(skin_ + "active_close@2x.png", 20, 20,
                 [](int x, int) { return x < 10 ? kClear : kBlue; });
    }

    std::string skin_;
    std::unique_ptr<TfrmMiddle> form_;
};

class DpiChangeTest : public ScaleTest {
  protected:
    void SetUp() override {
        WriteSkin();
        WriteFileText(IniPath(), "[Placement]\r\nX=100\r\nY=80\r\nWidth=640\r\nHeight=420\r\n"
                                 "[Skin]\r\nDir=Skins\\Scaled\r\n[Sizes]\r\nCollectionsPane=150\r\n"
                                 "FontsPane=170\r\nDetailsPane=100\r\n");
        form_ = Open(true);
    }
    void TearDown() override { Close(form_); }

    void ChangeDpi(int dpi, RECT suggested) {
        SendMessageA(form_->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }
    std::vector<const nq::EdgeWindow*> Edges() const {
        return {&form_->frmTop(), &form_->frmLeft(), &form_->frmRight(), &form_->frmBottom()};
    }
    std::vector<int> Compositions() const {
        std::vector<int> counts;
        for (const nq::EdgeWindow* edge : Edges())
            counts.push_back(edge->CompositionCount());
        return counts;
    }
};

// Moved onto a monitor of 150 %, the window takes the rectangle Windows
// suggests, lays every control out one and a half times as large, and each
// edge window is composed once, at its new size; back at 100 % everything is
// where it was, to the pixel.
TEST_F(DpiChangeTest, TheFrameTakesTheSuggestedRectangleAndEachEdgeComposesOnce) {
    const std::map<int, RECT> at96 = ControlRects(form_->Handle());
    const RECT title96 = Bounds(form_->frmTop().Handle());
    const std::vector<int> before = Compositions();
    const LONG sample96 = FontHeight(Control(*form_, ctl::LbPreview));

    ChangeDpi(144, RECT{150, 120, 150 + 960, 120 + 630});
    EXPECT_EQ(form_->Dpi(), 144);
    EXPECT_TRUE(Same(Bounds(form_->Handle()), RECT{150, 120, 1110, 750}));
    // The skin's sizes at 150 %: borders 9, title bar 30, bottom border 12.
    EXPECT_TRUE(Same(Bounds(form_->frmTop().Handle()), RECT{141, 90, 1119, 120}));
    EXPECT_TRUE(Same(Bounds(form_->frmLeft().Handle()), RECT{141, 120, 150, 762}));
    EXPECT_TRUE(Same(Bounds(form_->frmRight().Handle()), RECT{1110, 120, 1119, 762}));
    EXPECT_TRUE(Same(Bounds(form_->frmBottom().Handle()), RECT{150, 750, 1110, 762}));
    const std::vector<int> after = Compositions();
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i], before[i] + 1) << Edges()[i]->ClassName();
    // The new composition is of the new size.
    EXPECT_EQ(form_->frmBottom().LastComposition().Height(), 12);

    const std::map<int, RECT> at144 = ControlRects(form_->Handle());
    ASSERT_EQ(at144.size(), at96.size());
    for (const auto& [id, r] : at144) {
        if (id == 1001) // the size box's own edit field, placed by the size box
            continue;
        EXPECT_TRUE(OneAndAHalfTimes(r, at96.at(id)))
            << "control " << id << ": " << Text(r) << " against " << Text(at96.at(id));
    }
    // Rows, fonts and the sample: one and a half times, 32 points still 32.
    for (const int list : {ctl::LbFolders, ctl::LbFonts}) {
        EXPECT_EQ(SendMessageA(Control(*form_, list), LB_GETITEMHEIGHT, 0, 0), 23);
        EXPECT_EQ(FontHeight(Control(*form_, list)), -17);
    }
    EXPECT_EQ(FontHeight(Control(*form_, ctl::EditSearch)), -20);
    EXPECT_EQ(sample96, -43);
    EXPECT_EQ(FontHeight(Control(*form_, ctl::LbPreview)), -64);
    EXPECT_EQ(form_->PreviewSize(), 32);
    // The model keeps its sizes at 96 DPI.
    EXPECT_EQ(form_->PaneSizes().CollectionsPane, 150);
    EXPECT_EQ(form_->PaneSizes().DetailsPane, 100);

    ChangeDpi(96, RECT{100, 80, 740, 500});
    for (const auto& [id, r] : ControlRects(form_->Handle()))
        EXPECT_TRUE(Same(r, at96.at(id))) << "control " << id << ": " << Text(r);
    EXPECT_TRUE(Same(Bounds(form_->frmTop().Handle()), title96));
    EXPECT_EQ(FontHeight(Control(*form_, ctl::LbPreview)), sample96);
    EXPECT_EQ(SendMessageA(Control(*form_, ctl::LbFonts), LB_GETITEMHEIGHT, 0, 0), 15);
}

// Rolled up, the client is hidden and the title bar is what moves between
// monitors: its own WM_DPICHANGED scales the frame, and rolling down comes
// back to the height scaled along.
TEST_F(DpiChangeTest, RolledUpTheTitleBarCarriesTheFrameToTheNewScale) {
    form_->SetRolledUp(true);
    RECT title = Bounds(form_->frmTop().Handle());
    SendMessageA(form_->frmTop().Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&title));
    EXPECT_EQ(form_->Dpi(), 144);
    EXPECT_EQ(Bounds(form_->frmTop().Handle()).bottom - Bounds(form_->frmTop().Handle()).top, 30);
    form_->SetRolledUp(false);
    const RECT client = Bounds(form_->Handle());
    EXPECT_EQ(client.right - client.left, 960);
    EXPECT_EQ(client.bottom - client.top, 630);
    // An edge window's own change while the frame is rolled down is the
    // client window's to follow: nothing happens.
    RECT left = Bounds(form_->frmLeft().Handle());
    SendMessageA(form_->frmLeft().Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96),
                 reinterpret_cast<LPARAM>(&left));
    EXPECT_EQ(form_->Dpi(), 144);
}

// --- A window started where the display scale is 150 %.

class AtDpi144 : public ScaleTest {
  protected:
    void SetUp() override {
        if (!SystemAt144())
            GTEST_SKIP() << "the display scale is not 144 DPI here";
        WriteSkin();
        WriteFileText(IniPath(), "[Placement]\r\nX=150\r\nY=120\r\nWidth=960\r\nHeight=630\r\n"
                                 "[Skin]\r\nDir=Skins\\Scaled\r\n[Sizes]\r\nCollectionsPane=150\r\n"
                                 "FontsPane=170\r\nDetailsPane=100\r\n");
        ASSERT_TRUE(CreateDirectoryA((Root() + "Alpha").c_str(), nullptr));
        CopyHostFont(kDejaVuSans, Root() + "Alpha\\DejaVuSans.ttf");
        form_ = Open(true);
        RedrawWindow(form_->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    void TearDown() override {
        if (form_)
            Close(form_);
    }
    static void Mouse(HWND window, UINT message, int x, int y) {
        SendMessageA(window, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
};

TEST_F(AtDpi144, ControlsRowsAndEdgesAreOneAndAHalfTimesAndSettingsStayAtNinetySixDpi) {
    EXPECT_EQ(form_->Dpi(), 144);
    // Bounds are screen pixels, taken as they are.
    EXPECT_TRUE(Same(Bounds(form_->Handle()), RECT{150, 120, 1110, 750}));
    const std::map<int, RECT> rects = ControlRects(form_->Handle());
    EXPECT_TRUE(Same(rects.at(ctl::Toolbar), RECT{0, 0, 960, 51}));
    EXPECT_TRUE(Same(rects.at(ctl::Panel3), RECT{2, 51, 227, 630})); // 1 + 150 at 96 DPI
    EXPECT_TRUE(Same(rects.at(ctl::Splitter1), RECT{227, 51, 228, 630}));
    EXPECT_TRUE(Same(rects.at(ctl::LbFonts), RECT{228, 77, 483, 586})); // header 26, bar 44
    EXPECT_TRUE(Same(rects.at(ctl::PaintBox1), RECT{485, 480, 960, 630}));
    EXPECT_TRUE(Same(rects.at(ctl::EditSearch), RECT{682 + 66, 9, 682 + 236, 36}));
    for (const int list : {ctl::LbFolders, ctl::LbFonts})
        EXPECT_EQ(SendMessageA(Control(*form_, list), LB_GETITEMHEIGHT, 0, 0), 23);
    EXPECT_TRUE(Same(Bounds(form_->frmLeft().Handle()), RECT{141, 120, 150, 762}));
    EXPECT_TRUE(Same(Bounds(form_->frmTop().Handle()), RECT{141, 90, 1119, 120}));
    // The tips cover what is drawn at this scale: the trash area 45 pixels
    // wide, the add button from (3, 9), 15 x 15.
    HWND tips = FindTooltip(*form_);
    HWND toolbar = Control(*form_, ctl::Toolbar), bar = Control(*form_, ctl::Pb4);
    EXPECT_NE(TipAt(tips, toolbar, {44, 10}), "");
    EXPECT_EQ(TipAt(tips, toolbar, {46, 10}), "");
    EXPECT_EQ(TipAt(tips, bar, {17, 23}), "Create a new collection");
    EXPECT_EQ(TipAt(tips, bar, {19, 25}), "");

    // A splitter dragged 30 pixels moves its pane 20 at 96 DPI, which is what
    // the settings file keeps; the window's bounds it keeps in pixels.
    DragSplitter(Control(*form_, ctl::Splitter1), 30);
    EXPECT_EQ(form_->PaneSizes().CollectionsPane, 170);
    EXPECT_EQ(Bounds(Control(*form_, ctl::Panel3)).right -
                  Bounds(Control(*form_, ctl::Panel3)).left,
              255);
    Close(form_);
    const std::vector<std::string> ini = IniLines(IniPath());
    for (const char* line : {"CollectionsPane=170", "FontsPane=170", "DetailsPane=100", "X=150",
                             "Width=960", "Height=630"})
        EXPECT_NE(std::find(ini.begin(), ini.end(), line), ini.end()) << line;
}

// The bars draw a double-size image at the bar's scale and press only where
// that image is opaque; the title bar's buttons the same.
TEST_F(AtDpi144, DoubleSizeImagesAreDrawnAndHitWhereTheyAreOpaque) {
    HWND bar = Control(*form_, ctl::Pb4);
    // "+norm@2x.png" at (3, 9), 15 x 15: blue, its transparent corner 9 x 9.
    nq::ArgbDib shown = OnScreen(form_->Handle(), bar);
    EXPECT_EQ(shown.Pixel(3 + 14, 9 + 14) | 0xFF000000u, kBlue);
    EXPECT_EQ(shown.Pixel(3 + 10, 9 + 10) | 0xFF000000u, kBlue);
    EXPECT_NE(shown.Pixel(3 + 4, 9 + 4) | 0xFF000000u, kBlue);
    EXPECT_NE(shown.Pixel(3 + 4, 9 + 4) | 0xFF000000u, kRed);
    // A press inside the double-size image's transparent corner (opaque in
    // the 1x image) presses nothing: its release adds no collection.
    Mouse(bar, WM_LBUTTONDOWN, 3 + 6, 9 + 6);
    Mouse(bar, WM_LBUTTONUP, 3 + 6, 9 + 6);
    EXPECT_TRUE(prompts_.Queries.empty());
    Mouse(bar, WM_LBUTTONDOWN, 3 + 11, 9 + 11);
    shown = OnScreen(form_->Handle(), bar);
    EXPECT_EQ(shown.Pixel(3 + 14, 9 + 14) | 0xFF000000u, kMagenta); // "+down.png", scaled up
    Mouse(bar, WM_LBUTTONUP, 3 + 11, 9 + 11);
    EXPECT_EQ(prompts_.Queries.size(), 1u); // the new collection's name is asked for

    // Close at (width - 30, 3), 15 x 15; its double-size image is opaque on
    // its right half only.
    const nq::TfrmTop& title = form_->frmTop();
    const int left = (Bounds(title.Handle()).right - Bounds(title.Handle()).left) - 30;
    EXPECT_EQ(title.ButtonAt(left + 4, 10), 0);
    EXPECT_EQ(title.ButtonAt(left + 11, 10), 1);
    EXPECT_EQ(title.LastComposition().Pixel(left + 11, 10), kBlue);
    EXPECT_EQ(title.LastComposition().Pixel(left + 4, 10), kGreen); // the title bar under it
}

// How many pixels along a line step between nearly none and nearly full
// coverage: a hard edge has at most one (where it falls inside a pixel), a
// stretched one more.
int LongestSoftRun(const std::vector<int>& coverage) {
    int longest = 0, run = 0;
    for (const int c : coverage) {
        run = (c > 16 && c < 240) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST_F(AtDpi144, SkinEdgesAndSampleLinesStayHardEdges) {
    // The bottom border, 12 pixels high, from "bottom@2x.png": transparent
    // rows 0 to 5, then the red to the window's last row, not a row between.
    const nq::ArgbDib& bottom = form_->frmBottom().LastComposition();
    ASSERT_EQ(bottom.Height(), 12);
    std::vector<int> alpha;
    for (int y = 0; y < 12; ++y)
        alpha.push_back(static_cast<int>(bottom.Pixel(bottom.Width() / 2, y) >> 24));
    EXPECT_EQ(alpha, (std::vector<int>{0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 255}));
    EXPECT_EQ(bottom.Pixel(bottom.Width() / 2, 11), kRed); // premultiplied, opaque

    // The sample in a font of the collection at 32 points: 64 pixels to the
    // em at 144 DPI, and the stems of "I" are crossed from paper to ink in a
    // pixel.
    ClickFolder(*form_, 1);
    ClickFont(*form_, 0);
    HWND sample = Control(*form_, ctl::LbPreview);
    SetWindowTextA(sample, "I I I");
    EXPECT_EQ(FontHeight(sample), -64);
    EXPECT_EQ(form_->PreviewSize(), 32);
    // The details strip names the size the sample has on this screen.
    const std::string heading = form_->Preview().Heading();
    EXPECT_NE(heading.find(", 32 pt."), std::string::npos) << heading;
    const nq::ArgbDib text = OnScreen(form_->Handle(), sample);
    // Ink rows: the capital's height, 0.73 of the em.
    int firstInk = -1, lastInk = -1;
    for (int y = 0; y < text.Height(); ++y)
        for (int x = 0; x < text.Width(); ++x)
            if ((text.Pixel(x, y) & 0xFF) < 128) {
                if (firstInk < 0)
                    firstInk = y;
                lastInk = y;
                break;
            }
    ASSERT_GE(firstInk, 0);
    EXPECT_NEAR(lastInk - firstInk + 1, 47, 2);
    std::vector<int> ink;
    const int middle = (firstInk + lastInk) / 2;
    for (int x = 0; x < text.Width(); ++x)
        ink.push_back(255 - static_cast<int>(text.Pixel(x, middle) & 0xFF));
    int stems = 0;
    for (std::size_t x = 1; x < ink.size(); ++x)
        stems += ink[x] >= 240 && ink[x - 1] < 240;
    EXPECT_EQ(stems, 3);
    EXPECT_LE(LongestSoftRun(ink), 1);
}

} // namespace
