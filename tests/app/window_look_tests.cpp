// What the client window draws: list rows, backgrounds, bars, splitters and
// the details strip, measured in pixels (on screen where windows overlap).
#include "window_test_support.h"

#include "dc.h"
#include "dib.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// A row drawn by the pane that owns the list, into a 32-bit bitmap, through
// the owner-draw request the list sends.
nq::ArgbDib DrawRow(HWND list, int row, bool selected, int width = 200) {
    nq::ArgbDib dib(width, 15);
    const nq::MemoryDC dc(nullptr);
    const nq::SelectGuard bitmap(dc.get(), dib.Bitmap());
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(list));
    item.itemID = static_cast<UINT>(row);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = selected ? ODS_SELECTED : 0;
    item.hwndItem = list;
    item.hDC = dc.get();
    item.rcItem = RECT{0, 0, width, 15};
    item.itemData = static_cast<ULONG_PTR>(SendMessageA(list, LB_GETITEMDATA, row, 0));
    SendMessageA(GetParent(list), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    GdiFlush();
    return dib;
}

COLORREF Rgb(std::uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// Whether any pixel of columns [from, to) has the colour.
bool ColumnsHold(const nq::ArgbDib& dib, int from, int to, COLORREF colour) {
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = from; x < to; ++x)
            if (Rgb(dib.Pixel(x, y)) == colour)
                return true;
    return false;
}

// What reaches the screen in control's area once every pending paint is done,
// read from the client window's own device context: its children paint into
// the same surface, each clipped by its siblings, so this is what the user
// sees. Nothing is invalidated here, so a repaint the window misses shows.
nq::ArgbDib OnScreen(HWND form, HWND control) {
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const POINT at = nq::OffsetIn(control, form);
    const SIZE size = nq::ClientSize(control);
    nq::ArgbDib dib(size.cx, size.cy);
    const nq::ClientDC screen(form);
    const nq::MemoryDC dc(screen.get());
    const nq::SelectGuard bitmap(dc.get(), dib.Bitmap());
    BitBlt(dc.get(), 0, 0, size.cx, size.cy, screen.get(), at.x, at.y, SRCCOPY);
    GdiFlush();
    return dib;
}

class LookTest : public WindowTest {};

// These tests carry the program's manifest, so the window's edit box, size box
// and labels are those of common controls 6, as in the program.
TEST(CommonControlsTest, TheManifestBindsTheStandardControlsToCommonControls6) {
    ACTCTX_SECTION_KEYED_DATA found{};
    found.cbSize = sizeof found;
    for (const wchar_t* name : {L"Edit", L"ComboBox", L"Static", L"ListBox"})
        EXPECT_TRUE(FindActCtxSectionStringW(
            0, nullptr, ACTIVATION_CONTEXT_SECTION_WINDOW_CLASS_REDIRECTION, name, &found))
            << "window class not redirected: " << name;
}

// The window class shows the module's icon (these tests carry the program's):
// the accent-coloured square at its left edge, in the large and the small size.
TEST_F(LookTest, TheWindowCarriesTheProgramIconInTheLargeAndTheSmallSize) {
    auto form = Open();
    const std::pair<int, int> sizes[] = {{GCLP_HICON, GetSystemMetrics(SM_CXICON)},
                                         {GCLP_HICONSM, GetSystemMetrics(SM_CXSMICON)}};
    for (const auto& [index, size] : sizes) {
        const auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(form->Handle(), index));
        ASSERT_NE(icon, nullptr) << size;
        nq::ArgbDib dib(size, size);
        const nq::MemoryDC dc(nullptr);
        const nq::SelectGuard bitmap(dc.get(), dib.Bitmap());
        ASSERT_TRUE(DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) << size;
        GdiFlush();
        const COLORREF accent = RGB(0x3a, 0x7b, 0xd5);
        EXPECT_EQ(Rgb(dib.Pixel(1, size / 2)), accent) << size;
        EXPECT_NE(Rgb(dib.Pixel(0, 0)), accent) << size; // a round corner
    }
}

TEST_F(LookTest, ListRowsShowTheirStateInTheSchemeColoursWithARightAlignedOffMarker) {
    ASSERT_TRUE(CreateDirectoryA((Root() + "Off").c_str(), nullptr));
    WriteFileText(Root() + "Off\\disabled.txt", "");
    CopyHostFont(kDejaVuSans, Root() + "Off\\DejaVuSans.ttf");
    WriteFileText(Root() + "disabled.txt", ""); // never makes "All Fonts" off
    auto form = Open(true);
    HWND folders = Control(*form, ctl::LbFolders);
    HWND fonts = Control(*form, ctl::LbFonts);
    EXPECT_EQ(SendMessageA(folders, LB_GETITEMHEIGHT, 0, 0), 15);
    ClickFolder(*form, FindRow(folders, "Off"));
    ASSERT_EQ(ListRows(fonts), std::vector<std::string>{"DejaVu Sans"});

    const COLORREF offText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF white = RGB(255, 255, 255);
    struct Case {
        HWND List;
        int Row;
        bool Selected, Off;
    };
    for (const Case& c :
         {Case{folders, 0, false, false}, Case{folders, 1, false, true},
          Case{folders, 1, true, true}, Case{fonts, 0, false, true}, Case{fonts, 0, true, true}}) {
        const nq::ArgbDib row = DrawRow(c.List, c.Row, c.Selected);
        const COLORREF text = c.Selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                         : (c.Off ? offText : GetSysColor(COLOR_WINDOWTEXT));
        const COLORREF back = c.Selected ? highlight : white;
        EXPECT_EQ(Rgb(row.Pixel(1, 7)), back) << c.Row;
        EXPECT_TRUE(ColumnsHold(row, 10, 60, text)) << "the name from 10 pixels in";
        EXPECT_FALSE(ColumnsHold(row, 0, 10, text)) << "nothing left of the indent";
        // "off" stands at the right end, one space's width left free.
        EXPECT_EQ(ColumnsHold(row, 170, 196, text), c.Off) << c.Row << " " << c.Selected;
        EXPECT_EQ(Rgb(row.Pixel(199, 7)), back);
    }
    // In a narrow row a name ends in an ellipsis one space before "off",
    // rather than running under the marker.
    for (const Case& c : {Case{folders, 1, false, true}, Case{fonts, 0, false, true}}) {
        const int width = 40;
        const nq::ArgbDib row = DrawRow(c.List, c.Row, false, width);
        SIZE marker{}, space{};
        const nq::ClientDC dc(c.List);
        const nq::SelectGuard font(
            dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(c.List, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32A(dc.get(), "off ", 4, &marker);
        GetTextExtentPoint32A(dc.get(), " ", 1, &space);
        const int nameEnd = width - marker.cx - space.cx;
        const auto inked = [&](int from, int to) {
            for (int y = 0; y < row.Height(); ++y)
                for (int x = from; x < to; ++x)
                    if (Rgb(row.Pixel(x, y)) != white)
                        return true;
            return false;
        };
        EXPECT_FALSE(inked(nameEnd, width - marker.cx)) << c.Row << ": a space before the marker";
        EXPECT_TRUE(inked(nameEnd - 6, nameEnd)) << c.Row << ": the ellipsis";
    }
    // A registered font has no marker.
    (*form->Fonts())[0]->Installed = true;
    EXPECT_FALSE(ColumnsHold(DrawRow(fonts, 0, false), 170, 196, GetSysColor(COLOR_WINDOWTEXT)));
    Close(form);
}

} // namespace

namespace {

// A skin of known colours: no "bg.bmp" (the "bg" colour fills the
// backgrounds), square buttons with a transparent corner.
constexpr std::uint32_t kRed = 0xFFFF0000, kMagenta = 0xFFFF00FF, kGrey = 0xFF808080,
                        kBlue = 0xFF0000FF, kCyan = 0xFF00FFFF, kYellow = 0xFFFFFF00,
                        kOrange = 0xFFFF8000, kNavy = 0xFF000080, kPurple = 0xFF800080,
                        kWhite = 0xFFFFFFFF, kClear = 0x00000000;
constexpr COLORREF kSkinGreen = RGB(0, 128, 0);

std::uint32_t Opaque(std::uint32_t pixel) {
    return pixel | 0xFF000000;
}

class SkinnedTest : public WindowTest {
  protected:
    void SetUp() override {
        const std::string skin = program_.Path() + "Skins\\Test\\";
        ASSERT_TRUE(CreateDirectoryA((program_.Path() + "Skins").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(skin.c_str(), nullptr));
        WriteFileText(skin + "values.ini",
                      "[bg]\r\nColorR=0\r\nColorG=$80\r\nColorB=0\r\n[Caption]\r\nText=Test\r\n" +
                          ExtraValues());
        const auto square = [&](const char* file, int w, int h, std::uint32_t colour) {
            // A 3 x 3 transparent top-left corner.
            WritePng(skin + file, w, h,
                     [colour](int x, int y) { return x < 3 && y < 3 ? kClear : colour; });
        };
        square("+norm.png", 10, 10, kRed);
        square("+down.png", 10, 10, kMagenta);
        square("+inactive.png", 10, 10, kGrey);
        square("enable_norm.png", 12, 10, kBlue);
        square("enable_down.png", 12, 10, kCyan);
        square("disable_norm.png", 12, 10, kYellow);
        square("disable_down.png", 12, 10, kOrange);
        square("trash.png", 20, 20, kNavy);
        WritePng(skin + "dot.png", 4, 4, [](int, int) { return kPurple; });
        square("searchbar.png", 150, 20, kWhite);
        square("searchbar_delete.png", 12, 12, kRed);
        WriteFileText(IniPath(), "[Placement]\r\nWidth=700\r\nHeight=400\r\n[Skin]\r\n"
                                 "Dir=Skins\\Test\r\n[Sizes]\r\nDetailsPane=100\r\n");
        ASSERT_TRUE(CreateDirectoryA((Root() + "Alpha").c_str(), nullptr));
        CopyHostFont(kDejaVuSans, Root() + "Alpha\\DejaVuSans.ttf");
        AddSkinFiles(skin);
        form_ = Open(true);
        RedrawWindow(form_->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    void TearDown() override { Close(form_); }
    virtual void AddSkinFiles(const std::string&) {}
    virtual std::string ExtraValues() const { return {}; }

    // The window's client area as it paints itself.
    static nq::ArgbDib Capture(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        nq::ArgbDib dib(client.right, client.bottom);
        const nq::MemoryDC dc(nullptr);
        const nq::SelectGuard bitmap(dc.get(), dib.Bitmap());
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        GdiFlush();
        return dib;
    }
    static void Mouse(HWND window, UINT message, int x, int y) {
        SendMessageA(window, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    HWND Bar(int id) const { return Control(*form_, id); }

    std::unique_ptr<TfrmMiddle> form_;
};

TEST_F(SkinnedTest, BackgroundsAreTheSkinColourWithoutATextureAndCarryTrashAndGrips) {
    EXPECT_EQ(nq::WindowText(form_->Handle()), "Test");
    const nq::ArgbDib toolbar = Capture(Control(*form_, ctl::Toolbar));
    EXPECT_EQ(Opaque(toolbar.Pixel(10, 10)), kNavy);
    EXPECT_EQ(Rgb(toolbar.Pixel(25, 25)), kSkinGreen);
    const nq::ArgbDib area = Capture(Control(*form_, ctl::BgPanel));
    EXPECT_EQ(Rgb(area.Pixel(0, 100)), kSkinGreen);
}

// The splitters are windows over the pane area: the user sees what they paint.
TEST_F(SkinnedTest, SplittersShowTheBackgroundWithTheGripCentredOnScreen) {
    for (const int id : {ctl::Splitter1, ctl::Splitter2, ctl::Splitter3}) {
        const nq::ArgbDib bar = OnScreen(form_->Handle(), Control(*form_, id));
        const int w = bar.Width(), h = bar.Height();
        SCOPED_TRACE(id);
        ASSERT_GT(w * h, 0);
        EXPECT_EQ(Opaque(bar.Pixel(w / 2, h / 2)), kPurple);
        // The 4 x 4 grip, centred: the bar's ends show the background.
        for (const POINT p : {POINT{0, 0}, POINT{w - 1, h - 1},
                              w > h ? POINT{w / 2 - 4, h / 2} : POINT{w / 2, h / 2 - 4}})
            EXPECT_EQ(Rgb(bar.Pixel(p.x, p.y)), kSkinGreen) << p.x << "," << p.y;
    }
}

TEST_F(SkinnedTest, BarsShowTheirButtonsByStateAndPressOnlyOpaquePixels) {
    // No collection selected: the fonts bar's add button is greyed, no on/off.
    nq::ArgbDib fontsBar = Capture(Bar(ctl::Pb2));
    EXPECT_EQ(Opaque(fontsBar.Pixel(7, 11)), kGrey);
    EXPECT_EQ(Rgb(fontsBar.Pixel(2, 6)), kSkinGreen); // the transparent corner
    EXPECT_EQ(Rgb(fontsBar.Pixel(20, 11)), kSkinGreen);

    ClickFolder(*form_, FindRow(Control(*form_, ctl::LbFolders), "Alpha"));
    ClickFont(*form_, 0);
    fontsBar = Capture(Bar(ctl::Pb2));
    EXPECT_EQ(Opaque(fontsBar.Pixel(7, 11)), kRed);
    EXPECT_EQ(Opaque(fontsBar.Pixel(16 + 5, 11)), kBlue); // not installed: offers to switch on
    bool countDrawn = false; // "1 font", black, 20 pixels from the right end
    for (int x = fontsBar.Width() - 80; x < fontsBar.Width() - 20; ++x)
        for (int y = 8; y < 22; ++y)
            countDrawn |= Rgb(fontsBar.Pixel(x, y)) == RGB(0, 0, 0);
    EXPECT_TRUE(countDrawn);

    HWND collectionsBar = Bar(ctl::Pb4);
    EXPECT_EQ(Opaque(Capture(collectionsBar).Pixel(16 + 5, 11)), kYellow); // on: offers off
    // The transparent corner presses nothing; an opaque pixel shows "+down"
    // and the release anywhere asks for a new collection.
    Mouse(collectionsBar, WM_LBUTTONDOWN, 3, 7);
    EXPECT_EQ(Opaque(Capture(collectionsBar).Pixel(7, 11)), kRed);
    Mouse(collectionsBar, WM_LBUTTONUP, 3, 7);
    EXPECT_TRUE(prompts_.Queries.empty());
    Mouse(collectionsBar, WM_LBUTTONDOWN, 7, 11);
    EXPECT_EQ(Opaque(Capture(collectionsBar).Pixel(7, 11)), kMagenta);
    Mouse(collectionsBar, WM_LBUTTONUP, -40, -40);
    EXPECT_EQ(prompts_.Queries.size(), 1u);

    // The on/off button switches only when released inside the bar.
    Mouse(collectionsBar, WM_LBUTTONDOWN, 21, 11);
    EXPECT_EQ(Opaque(Capture(collectionsBar).Pixel(21, 11)), kOrange);
    Mouse(collectionsBar, WM_LBUTTONUP, 21, 200);
    EXPECT_FALSE(Exists(Root() + "Alpha\\disabled.txt"));
    Mouse(collectionsBar, WM_LBUTTONDOWN, 21, 11);
    Mouse(collectionsBar, WM_LBUTTONUP, 22, 12);
    EXPECT_TRUE(Exists(Root() + "Alpha\\disabled.txt"));
    EXPECT_TRUE(form_->CollectionOff());
    EXPECT_EQ(Opaque(Capture(collectionsBar).Pixel(21, 11)), kBlue); // off: offers on
}

TEST_F(SkinnedTest, ClearButtonShowsWhileTheTextFiltersAndActsOnItsOpaquePixels) {
    HWND bar = Bar(ctl::Pb5);
    const int left = 185 - 5 - 12;
    EXPECT_EQ(Opaque(Capture(bar).Pixel(left + 8, 3 + 8)), kWhite); // the field alone
    TypeSearch(*form_, "dejavu");
    ASSERT_TRUE(form_->SearchActive());
    EXPECT_EQ(Opaque(Capture(bar).Pixel(left + 8, 3 + 8)), kRed);
    Mouse(bar, WM_LBUTTONUP, left + 1, 3 + 1); // its transparent corner
    EXPECT_TRUE(form_->SearchActive());
    Mouse(bar, WM_LBUTTONUP, left + 8, 3 + 8);
    EXPECT_FALSE(form_->SearchActive());
    EXPECT_EQ(nq::WindowText(Control(*form_, ctl::EditSearch)), "");
    EXPECT_EQ(Opaque(Capture(bar).Pixel(left + 8, 3 + 8)), kWhite);
}

TEST_F(SkinnedTest, DetailsStripShowsTheHeadingAndTheNamingLinesWhenEnlarged) {
    ClickFolder(*form_, FindRow(Control(*form_, ctl::LbFolders), "Alpha"));
    ClickFont(*form_, 0);
    EXPECT_EQ(nq::WindowText(Control(*form_, ctl::LblName)), "DejaVu Sans");
    EXPECT_EQ(nq::WindowText(Control(*form_, ctl::LblFamily)), "DejaVu Sans");
    const nq::ArgbDib strip = Capture(Control(*form_, ctl::PaintBox1));
    ASSERT_EQ(strip.Height(), 100);
    const auto blackIn = [&](int fromX, int toX, int fromY, int toY) {
        for (int y = fromY; y < toY; ++y)
            for (int x = fromX; x < toX; ++x)
                if (Rgb(strip.Pixel(x, y)) == RGB(0, 0, 0))
                    return true;
        return false;
    };
    const int centre = strip.Width() / 2;
    EXPECT_TRUE(blackIn(centre - 20, centre + 20, 2, 15)); // the centred heading
    EXPECT_FALSE(blackIn(0, 10, 2, 15));
    for (int line = 0; line < 4; ++line) // "Name: ", "Copyright: ", ... from x = 1
        EXPECT_TRUE(blackIn(1, 30, 16 + 20 * line, 28 + 20 * line)) << line;
    EXPECT_EQ(Rgb(strip.Pixel(strip.Width() - 1, 99)), kSkinGreen);

    // The heading names the size the sample is drawn at: a typed size beyond
    // what a font can have shows as the size it is held to.
    HWND sizes = Control(*form_, ctl::ComboBox1);
    const auto heading = [&](const char* size) {
        SetWindowTextA(sizes, size);
        SendMessageA(GetParent(sizes), WM_COMMAND, MAKEWPARAM(ctl::ComboBox1, CBN_EDITCHANGE),
                     reinterpret_cast<LPARAM>(sizes));
        const nq::ArgbDib shown = OnScreen(form_->Handle(), Control(*form_, ctl::PaintBox1));
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < shown.Width(); ++x)
                pixels.push_back(Rgb(shown.Pixel(x, y)));
        return pixels;
    };
    const std::vector<std::uint32_t> largest = heading("1600");
    EXPECT_EQ(heading("99999"), largest);
    EXPECT_NE(heading("1599"), largest);
    EXPECT_EQ(heading("-7"), heading("1"));
}

// A skin whose "bg.bmp" is a gradient from left to right: every column of a
// background shows where its stretch puts it.
class GradientSkinTest : public SkinnedTest {
  protected:
    static constexpr int kTextureWidth = 64;
    static COLORREF Texel(int column) { return RGB(4 * column + 2, 0x40, 0x40); }
    void AddSkinFiles(const std::string& skin) override {
        WriteBmp(skin + "bg.bmp", kTextureWidth, 2,
                 [](int x, int) { return 0xFF000000u | 0x4040u | (4u * x + 2) << 16; });
    }
    // The columns of row y in [from, to) of the window's screen that are not
    // the texel the stretch to width gives them (or the one beside it, where
    // a texel's edge touches the pixel).
    static int Unstretched(const nq::ArgbDib& screen, int y, int from, int to) {
        const int width = screen.Width();
        int wrong = 0;
        for (int x = from; x < to; ++x) {
            const COLORREF pixel = Rgb(screen.Pixel(x, y));
            if (pixel != Texel(std::max(0, x * kTextureWidth - 1) / width) &&
                pixel != Texel(((x + 1) * kTextureWidth - 1) / width) && ++wrong < 4)
                ADD_FAILURE() << x << "," << y << ": " << std::hex << pixel;
        }
        return wrong;
    }
};

TEST_F(GradientSkinTest, AResizeStretchesEveryBackgroundAnewWithoutASeam) {
    HWND form = form_->Handle();
    const SIZE before = nq::ClientSize(form);
    ASSERT_EQ(Unstretched(OnScreen(form, form), 30, 0, before.cx), 0);
    for (const int width : {before.cx + 250, before.cx - 100}) {
        SCOPED_TRACE(width);
        SetWindowPos(form, nullptr, 0, 0, width, before.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const nq::ArgbDib screen = OnScreen(form, form);
        ASSERT_EQ(screen.Width(), width);
        // Under the trash and the search field: the toolbar and the search bar.
        EXPECT_EQ(Unstretched(screen, 30, 0, width), 0);
        // The bars' bottom rows, the splitters between them and the details strip.
        EXPECT_EQ(Unstretched(screen, before.cy - 2, 1, width), 0);
        for (const int id : {ctl::Splitter1, ctl::Splitter2}) {
            const POINT at = nq::OffsetIn(Control(*form_, id), form);
            EXPECT_EQ(Unstretched(screen, at.y + 10, at.x, at.x + 1), 0) << id;
        }
    }
}

} // namespace

namespace {

// The tips of the bars' buttons, the clear button and the trash area: each
// covers what is drawn there and says what a click does in the present state.
TEST_F(SkinnedTest, ButtonsClearButtonAndTrashAreaTellWhatAClickDoesWhereTheyAreDrawn) {
    HWND tips = FindTooltip(*form_);
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 7); // and the collections header's
    HWND fontsBar = Bar(ctl::Pb2), collectionsBar = Bar(ctl::Pb4), searchBar = Bar(ctl::Pb5);
    HWND toolbar = Control(*form_, ctl::Toolbar);
    const std::string trash =
        "Drop a font or collection here to move it to the recycle bin; click to open the "
        "recycle bin";
    const POINT add{7, 11}, toggle{16 + 5, 11}, clear{185 - 5 - 12 + 6, 3 + 6};
    struct Case {
        HWND Window;
        POINT At;
        std::string Tip;
    };
    const auto expect = [&](const char* state, std::initializer_list<Case> cases) {
        for (const Case& c : cases)
            EXPECT_EQ(TipAt(tips, c.Window, c.At), c.Tip)
                << state << ": " << nq::WindowText(c.Window) << " " << c.At.x << "," << c.At.y;
    };
    expect("nothing selected", {{fontsBar, add, "Select a collection to add fonts to it"},
                                {fontsBar, toggle, ""}, // no font, no on/off button
                                {collectionsBar, add, "Create a new collection"},
                                {collectionsBar, toggle, ""},
                                {searchBar, clear, ""}, // no filter, no clear button
                                {toolbar, {5, 30}, trash},
                                {toolbar, {29, 2}, trash},
                                {toolbar, {30, 10}, ""}});

    ClickFolder(*form_, FindRow(Control(*form_, ctl::LbFolders), "Alpha"));
    const auto selectFont = [&] { ClickFont(*form_, 0); };
    selectFont();
    // The tools are the images' rectangles: "+" 10 x 10 at (2, 6), on/off
    // 12 x 10 four pixels to its right.
    expect("a collection and a font", {{fontsBar, add, "Add fonts to this collection"},
                                       {fontsBar, {2, 6}, "Add fonts to this collection"},
                                       {fontsBar, {11, 15}, "Add fonts to this collection"},
                                       {fontsBar, {12, 11}, ""},
                                       {fontsBar, {1, 11}, ""},
                                       {fontsBar, toggle, "Switch this font on"},
                                       {fontsBar, {16 + 12, 11}, ""},
                                       {fontsBar, {16, 16}, ""},
                                       {collectionsBar, toggle, "Switch this collection off"}});

    // As a switch leaves the record; put back before the collection is
    // switched, which would switch the font off in the registry.
    FontDescr& record = *(*form_->Fonts())[0];
    record.Installed = true;
    selectFont();
    expect("the font on", {{fontsBar, toggle, "Switch this font off"}});
    record.Installed = false;
    selectFont();
    // A click on the collections' on/off button switches the collection off.
    Mouse(collectionsBar, WM_LBUTTONDOWN, toggle.x, toggle.y);
    Mouse(collectionsBar, WM_LBUTTONUP, toggle.x, toggle.y);
    ASSERT_TRUE(form_->CollectionOff());
    expect("the collection off", {{collectionsBar, toggle, "Switch this collection on"}});

    TypeSearch(*form_, "dejavu");
    expect("a filter", {{searchBar, clear, "Clear the search and list every font"},
                        {searchBar, {clear.x - 7, clear.y}, ""}});
    Mouse(searchBar, WM_LBUTTONUP, clear.x, clear.y);
    expect("the filter cleared", {{searchBar, clear, ""}});
}

// Whether any pixel of the rectangle [x0, x1) x [y0, y1) has the colour.
bool Holds(const nq::ArgbDib& dib, int x0, int y0, int x1, int y1, COLORREF colour) {
    for (int y = std::max(0, y0); y < std::min(y1, dib.Height()); ++y)
        for (int x = std::max(0, x0); x < std::min(x1, dib.Width()); ++x)
            if (Rgb(dib.Pixel(x, y)) == colour)
                return true;
    return false;
}

bool Darker(COLORREF a, COLORREF b) {
    return GetRValue(a) < GetRValue(b) && GetGValue(a) < GetGValue(b) &&
           GetBValue(a) < GetBValue(b);
}

// The colours a skin gives, or the built-in ones.
struct Look {
    COLORREF ListBack, ListText, SelectedBack, SelectedText, OffText, OffMarker;
    COLORREF HeaderFace, HeaderText;
    COLORREF PreviewBack, PreviewText, Label, CountText, CountEdge, DetailsText, DetailsEdge;
};

class ColourTest : public SkinnedTest {
  protected:
    void AddSkinFiles(const std::string&) override {
        ASSERT_TRUE(CreateDirectoryA((Root() + "Off").c_str(), nullptr));
        WriteFileText(Root() + "Off\\disabled.txt", "");
    }

    // Lists "Alpha", selects its font and checks every part against look.
    void ExpectLook(const Look& look) {
        HWND folders = Control(*form_, ctl::LbFolders);
        ClickFolder(*form_, FindRow(folders, "Alpha"));
        HWND fonts = Control(*form_, ctl::LbFonts);
        ClickFont(*form_, 0);
        HWND form = form_->Handle();

        const nq::ArgbDib list = OnScreen(form, folders);
        ASSERT_EQ(ListRows(folders).size(), 3u);
        const int w = list.Width();
        const auto row = [&](int r, COLORREF back, COLORREF text, const char* what) {
            const int top = 15 * r;
            EXPECT_EQ(Rgb(list.Pixel(2, top + 7)), back) << what;
            EXPECT_TRUE(Holds(list, 10, top, 60, top + 15, text)) << what;
        };
        const int off = FindRow(folders, "Off");
        row(0, look.ListBack, look.ListText, "All Fonts: on");
        row(FindRow(folders, "Alpha"), look.SelectedBack, look.SelectedText, "the selected row");
        row(off, look.ListBack, look.OffText, "a row that is off");
        EXPECT_TRUE(Holds(list, w - 30, 15 * off, w, 15 * off + 15, look.OffMarker))
            << "its marker";
        EXPECT_FALSE(Holds(list, w - 30, 0, w, 15, look.OffMarker)) << "no marker when on";
        EXPECT_EQ(Rgb(list.Pixel(w / 2, 15 * 3 + 20)), look.ListBack) << "below the rows";
        const nq::ArgbDib fontRows = OnScreen(form, fonts);
        EXPECT_EQ(Rgb(fontRows.Pixel(2, 7)), look.SelectedBack) << "the selected font";
        EXPECT_TRUE(
            Holds(fontRows, fontRows.Width() - 30, 0, fontRows.Width(), 15, look.SelectedText))
            << "the selected font's marker";
        EXPECT_EQ(Rgb(fontRows.Pixel(fontRows.Width() / 2, 30)), look.ListBack) << "below the font";

        for (const int id : {ctl::CollectionHeader, ctl::FontHeader}) {
            const nq::ArgbDib header = OnScreen(form, Control(*form_, id));
            EXPECT_EQ(Rgb(header.Pixel(2, 8)), look.HeaderFace) << id;
            EXPECT_TRUE(Holds(header, 0, 0, header.Width(), header.Height(), look.HeaderText))
                << id;
        }

        const nq::ArgbDib panel5 = OnScreen(form, Control(*form_, ctl::Panel5));
        const nq::ArgbDib sizeBar = OnScreen(form, Control(*form_, ctl::Panel6));
        EXPECT_EQ(Rgb(sizeBar.Pixel(5, 5)), look.PreviewBack);
        const nq::ArgbDib sample = OnScreen(form, Control(*form_, ctl::LbPreview));
        EXPECT_EQ(Rgb(sample.Pixel(1, sample.Height() - 2)), look.PreviewBack);
        EXPECT_TRUE(Holds(sample, 0, 0, sample.Width(), sample.Height(), look.PreviewText));
        const nq::ArgbDib label = OnScreen(form, Control(*form_, ctl::Label5));
        EXPECT_TRUE(Holds(label, 0, 0, label.Width(), label.Height(), look.Label));
        // The preview's edge: darker above and left, lighter below and right.
        const int pw = panel5.Width(), ph = panel5.Height();
        if (look.PreviewBack == RGB(255, 255, 255)) {
            // The lowered edge Windows draws in the scheme's 3D colours.
            nq::ArgbDib edge(pw, ph);
            const nq::MemoryDC dc(nullptr);
            const nq::SelectGuard bitmap(dc.get(), edge.Bitmap());
            RECT r{0, 0, pw, ph};
            DrawEdge(dc.get(), &r, BDR_SUNKENINNER, BF_RECT);
            GdiFlush();
            for (const POINT p :
                 {POINT{0, ph / 2}, POINT{pw / 2, 0}, POINT{pw - 1, ph / 2}, POINT{pw / 2, ph - 1}})
                EXPECT_EQ(Rgb(panel5.Pixel(p.x, p.y)), Rgb(edge.Pixel(p.x, p.y)))
                    << p.x << "," << p.y;
        } else {
            EXPECT_TRUE(Darker(Rgb(panel5.Pixel(0, ph / 2)), look.PreviewBack));
            EXPECT_TRUE(Darker(Rgb(panel5.Pixel(pw / 2, 0)), look.PreviewBack));
            EXPECT_TRUE(Darker(look.PreviewBack, Rgb(panel5.Pixel(pw - 1, ph / 2))));
            EXPECT_TRUE(Darker(look.PreviewBack, Rgb(panel5.Pixel(pw / 2, ph - 1))));
        }

        const nq::ArgbDib count = OnScreen(form, Bar(ctl::Pb2));
        const int cw = count.Width();
        EXPECT_TRUE(Holds(count, cw - 80, 8, cw - 20, 22, look.CountText));
        EXPECT_TRUE(Holds(count, cw - 80, 9, cw - 20, 23, look.CountEdge));
        const nq::ArgbDib strip = OnScreen(form, Control(*form_, ctl::PaintBox1));
        const int sw = strip.Width();
        EXPECT_TRUE(Holds(strip, sw / 2 - 20, 2, sw / 2 + 20, 15, look.DetailsText)) << "heading";
        EXPECT_TRUE(Holds(strip, sw / 2 - 20, 3, sw / 2 + 20, 16, look.DetailsEdge));
        for (int line = 0; line < 4; ++line) {
            EXPECT_TRUE(Holds(strip, 1, 16 + 20 * line, 30, 28 + 20 * line, look.DetailsText))
                << line;
            EXPECT_TRUE(Holds(strip, 1, 17 + 20 * line, 30, 29 + 20 * line, look.DetailsEdge))
                << line;
        }
    }
};

// Without a "Colors" section every part keeps the colours it has always had.
TEST_F(ColourTest, WithoutSkinColoursTheListsAndPreviewKeepTheSchemeAndBlackOnWhite) {
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    const COLORREF offText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    ExpectLook({white, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HIGHLIGHT),
                GetSysColor(COLOR_HIGHLIGHTTEXT), offText, offText, RGB(0xDF, 0xDF, 0xDF),
                GetSysColor(COLOR_WINDOWTEXT), white, black, RGB(128, 128, 128), black, white,
                black, white});
}

// A skin of known colours: every key reaches the screen where it belongs.
class SkinColourTest : public ColourTest {
  protected:
    std::string ExtraValues() const override {
        return "[Colors]\r\nListBack=#102030\r\nListText=#F0E010\r\nListSelectedBack=$C02080\r\n"
               "ListSelectedText=#10F0F0\r\nListOffText=#80F080\r\nListOffMarker=#F08040\r\n"
               "HeaderBack=#405060\r\nHeaderText=#FFD0A0\r\nPreviewBack=#203040\r\n"
               "PreviewText=#F0F0A0\r\nCountText=#FF60C0\r\nCountEdge=0x2060FF\r\n"
               "DetailsText=#60FFC0\r\nDetailsEdge=#A020F0\r\n";
    }
};

TEST_F(SkinColourTest, TheSkinsColoursReachTheListsHeadersPreviewCountAndStrip) {
    // "Size:" is drawn halfway between the preview's background and text.
    ExpectLook({RGB(0x10, 0x20, 0x30), RGB(0xF0, 0xE0, 0x10), RGB(0xC0, 0x20, 0x80),
                RGB(0x10, 0xF0, 0xF0), RGB(0x80, 0xF0, 0x80), RGB(0xF0, 0x80, 0x40),
                RGB(0x40, 0x50, 0x60), RGB(0xFF, 0xD0, 0xA0), RGB(0x20, 0x30, 0x40),
                RGB(0xF0, 0xF0, 0xA0), RGB(0x88, 0x90, 0x70), RGB(0xFF, 0x60, 0xC0),
                RGB(0x20, 0x60, 0xFF), RGB(0x60, 0xFF, 0xC0), RGB(0xA0, 0x20, 0xF0)});
}

} // namespace
