// The four edge windows under Wine: their composed pixels from a skin folder
// of generated images, the title bar's buttons and mouse, the border resize
// steps and the size guard.
#include "border_windows.h"
#include "title_bar.h"

#include <gtest/gtest.h>

#include "text.h"

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Gdiplus::ARGB;
using nq::frame::Rect;

// A skin folder of PNG images under the temp folder, removed at the end.
class SkinFolder {
  public:
    SkinFolder() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        for (unsigned n = 1; !CreateDirectoryA(path_.c_str(), nullptr); ++n)
            path_ = temp + ("nqedge-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(n) + "\\");
    }
    ~SkinFolder() {
        for (const std::string& name : written_)
            DeleteFileA((path_ + name).c_str());
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& Path() const { return path_; }
    void Png(const std::string& name, int width, int height,
             const std::function<ARGB(int x, int y)>& pixel) {
        using namespace Gdiplus::DllExports;
        Gdiplus::GpBitmap* image = nullptr;
        GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &image);
        const nq::GdipBitmapPtr owned(image);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                GdipBitmapSetPixel(image, x, y, pixel(x, y));
        const CLSID png = {
            0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
        written_.push_back(name);
        ASSERT_EQ(GdipSaveImageToFile(image, nq::WideFromUtf8(path_ + name).c_str(), &png, nullptr),
                  Gdiplus::Ok);
    }
    void Fill(const std::string& name, int width, int height, ARGB colour) {
        Png(name, width, height, [colour](int, int) { return colour; });
    }

  private:
    std::string path_;
    std::vector<std::string> written_;
};

// The client window as the edge windows see it; what they ask of it is logged.
class FakeHost final : public nq::FrameHost {
  public:
    Rect client{200, 150, 400, 300};
    bool active = true, rolledUp = false;
    int dpi = 96;
    std::string path, log;
    nq::SkinValues skin;

    Rect ClientBounds() const override { return client; }
    bool Active() const override { return active; }
    bool RolledUp() const override { return rolledUp; }
    int Dpi() const override { return dpi; }
    std::string SkinPath() const override { return path; }
    const nq::SkinValues& SkinValues() const override { return skin; }
    nq::frame::EdgeSizes Edges() const override { return {10, 10, 30, 10}; }
    void ArrangeFrame(int x, int y, int w, int h) override { Log("arrange", {x, y, w, h}); }
    void RenderFrame(int w, int h) override { Log("render", {w, h}); }
    void MoveFrame(int dx, int dy) override { Log("move", {dx, dy}); }
    void SetRolledUp(bool up) override { Log("roll", {up}); }
    void CloseProgram() override { Log("close", {}); }
    void MinimizeProgram() override { Log("min", {}); }
    void BringFrameToFront() override {}
    bool FrameSysCommand(UINT) override { return false; }
    void PopupSkinMenu(POINT at) override { Log("menu", {at.x, at.y}); }
    void EdgeDpiChanged(const nq::EdgeWindow&, int newDpi) override { Log("dpi", {newDpi}); }

  private:
    void Log(const char* what, std::initializer_list<int> values) {
        log += what;
        for (int v : values)
            log += " " + std::to_string(v);
        log += ";";
    }
};

constexpr ARGB kRed = 0xFFC02020, kGreen = 0xFF20C020, kBlue = 0xFF2020C0;

ARGB Colour(int n) {
    return 0xFF000000u | ARGB(0x101010u * (n + 1)) | ARGB(n * 0x21) << 16;
}

// Pixel (x, y) of the window's last composition, 0 outside it.
ARGB At(const nq::EdgeWindow& window, int x, int y) {
    const nq::ArgbDib& dib = window.LastComposition();
    return x < dib.Width() && y < dib.Height() ? dib.Pixel(x, y) : 0;
}

::testing::AssertionResult PixelIs(const nq::EdgeWindow& window, int x, int y, ARGB want) {
    if (At(window, x, y) == want)
        return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << std::hex << "pixel " << std::dec << x << "," << y << std::hex << " is "
        << At(window, x, y) << ", not " << want;
    return ::testing::AssertionFailure() << out.str();
}

// How many pixels of the last composition in columns [left, right) are not
// fully transparent.
int Painted(const nq::EdgeWindow& window, int left = 0, int right = 1 << 20) {
    const nq::ArgbDib& dib = window.LastComposition();
    int count = 0;
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = left; x < std::min(right, dib.Width()); ++x)
            count += (dib.Pixel(x, y) >> 24) != 0;
    return count;
}

struct EdgeTest : ::testing::Test {
    SkinFolder skin;
    FakeHost host;
    EdgeTest() { host.path = skin.Path(); }
};

// --- Composition of the borders ---

TEST_F(EdgeTest, BottomStretchesOneCopyAcrossAndRepeatsItDownward) {
    // Left half red, right half blue; the top five rows green-tinted.
    skin.Png("bottom.png", 100, 10,
             [](int x, int y) { return (x < 50 ? kRed : kBlue) | (y < 5 ? 0x00008000u : 0u); });
    skin.Fill("inactive_bottom.png", 4, 4, 0x80808080); // half transparent grey
    nq::TfrmBottom bottom(host);
    ASSERT_TRUE(bottom.Create());
    bottom.RenderEdge(300, 20);
    for (int y : {1, 3, 7, 11, 13, 17})
        for (int x : {5, 140, 160, 295}) {
            const ARGB want = (x < 150 ? kRed : kBlue) | (y % 10 < 5 ? 0x00008000u : 0u);
            EXPECT_TRUE(PixelIs(bottom, x, y, want));
        }
    host.active = false;
    bottom.RenderEdge(30, 6);
    EXPECT_TRUE(PixelIs(bottom, 15, 3, 0x80404040)); // premultiplied, as the push needs
    // Without its image the border stays transparent.
    DeleteFileA((skin.Path() + "inactive_bottom.png").c_str());
    bottom.RenderEdge(30, 6);
    EXPECT_EQ(Painted(bottom), 0);
}

TEST_F(EdgeTest, SidesPutTheirBottomPieceFlushAndTileTheMiddleAboveIt) {
    nq::TfrmLeft left(host);
    nq::TfrmRight right(host);
    for (nq::EdgeWindow* window :
         {static_cast<nq::EdgeWindow*>(&left), static_cast<nq::EdgeWindow*>(&right)}) {
        const std::string side = window == &left ? "left_" : "right_";
        SCOPED_TRACE(side);
        skin.Fill(side + "bottom.png", 40, 50, kRed);
        skin.Png(side + "middle.png", 20, 7, [](int, int y) { return Colour(y); });
        ASSERT_TRUE(window->Create());
        window->RenderEdge(20, 300);
        int wrong = 0;
        for (int y = 0; y < 250; ++y)
            wrong += At(*window, 10, y) != Colour(y % 7);
        EXPECT_EQ(wrong, 0);
        for (int y : {252, 275, 297})
            for (int x : {1, 10, 18})
                EXPECT_TRUE(PixelIs(*window, x, y, kRed));
        // A bottom piece taller than the window: no room for the middle.
        window->RenderEdge(20, 30);
        EXPECT_TRUE(PixelIs(*window, 10, 5, kRed));
    }
}

// --- The title bar ---

TEST_F(EdgeTest, TitleDrawsItsEndsAtTheirWidthsFromTheStatesImages) {
    const char* prefixes[] = {"", "inactive_", "rolled_", "rolled_inactive_"};
    for (int i = 0; i < 4; ++i) { // ends 10 and 12 wide, the middle 8 wide
        skin.Fill(std::string(prefixes[i]) + "left_top.png", 10, 4, Colour(3 * i));
        skin.Fill(std::string(prefixes[i]) + "right_top.png", 12, 4, Colour(3 * i + 1));
        skin.Fill(std::string(prefixes[i]) + "top.png", 8, 4, Colour(3 * i + 2));
    }
    nq::TfrmTop title(host);
    ASSERT_TRUE(title.Create());
    title.SetTitleAlpha(128); // pushed with the image, not composed into it
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(prefixes[i]);
        host.active = i % 2 == 0;
        host.rolledUp = i >= 2;
        title.RenderEdge(200, 30);
        EXPECT_EQ(title.ShownActive(), host.active);
        EXPECT_EQ(title.LastPushAlpha(), 128);
        for (int y : {1, 15}) // the last rows fade where GDI+ stretches an image
            for (const auto& [x, image] : {std::pair{1, 0}, {8, 0}, {100, 2}, {190, 1}, {198, 1}})
                EXPECT_TRUE(PixelIs(title, x, y, Colour(3 * i + image)));
    }
    // Without "top.png" the gap stays transparent, the ends are still drawn.
    DeleteFileA((skin.Path() + "rolled_inactive_top.png").c_str());
    title.RenderEdge(200, 30);
    EXPECT_EQ(Painted(title, 10, 188), 0);
    EXPECT_TRUE(PixelIs(title, 5, 15, Colour(9)));
}

TEST_F(EdgeTest, CaptionIsDrawnInItsRectangleOnlyFromAnInstalledFamily) {
    nq::TfrmTop title(host);
    ASSERT_TRUE(title.Create());
    host.skin.Caption.TextColor = kGreen;
    host.skin.Caption.FontSize = 20;
    host.skin.Caption.Rects[0] = nq::CaptionRect{0, 0, 50, 100}; // the left half
    for (const char* family : {"DejaVu Sans", "No Such Family Here"}) {
        SCOPED_TRACE(family);
        host.skin.Caption.FontName = family;
        title.RenderEdge(200, 30);
        EXPECT_EQ(Painted(title, 0, 100) > 30, family[0] == 'D');
        EXPECT_EQ(Painted(title, 100, 200), 0);
    }
}

// Four buttons 20 x 12, each image in its own colour with a transparent pixel
// at (5, 6), on a title bar whose reference width is 500: Close right-anchored
// at 470, Min at 10, Max centred at 250, Roll at 40.
struct TitleButtonTest : EdgeTest {
    static constexpr int kLeft[4] = {470, 10, 250, 40};
    nq::TfrmTop title{host};
    TitleButtonTest() {
        host.client.Width = 480;
        host.skin.Left.Width = host.skin.Right.Width = 10;
        const char* names[4][3] = {{"inactive_close", "active_close", "mouseover_close"},
                                   {"inactive_min", "active_min", "mouseover_Min"},
                                   {"inactive_max", "active_max", "mouseover_Max"},
                                   {"inactive_Roll", "active_Roll", "mouseover_Roll"}};
        const nq::ButtonPlace places[4] = {{-30, 2, 2}, {10, 2, 0}, {0, 2, 1}, {40, 2, 5}};
        for (int b = 0; b < 4; ++b) {
            for (int kind = 0; kind < 3; ++kind)
                skin.Png(std::string(names[b][kind]) + ".png", 20, 12, [=](int x, int y) {
                    return x == 5 && y == 6 ? 0u : Colour(3 * b + kind);
                });
            host.skin.Buttons.Places[b].fill(places[b]);
        }
        title.Create();
        title.LoadButtonImages();
    }
    // The colours of the four buttons as composed: 0 inactive, 1 normal, 2 over.
    std::string Shown() const {
        std::string shown;
        for (int b = 0; b < 4; ++b)
            for (int kind = 0; kind < 3; ++kind)
                if (At(title, kLeft[b] + 10, 8) == Colour(3 * b + kind))
                    shown += "ino"[kind];
        return shown;
    }
    void Send(UINT message, int x, int y) {
        SendMessageA(title.Handle(), message, 0, MAKELPARAM(x, y));
    }
};

// Over Roll all four light up, over another button all but Roll; a button is
// hit strictly inside its image and only on its opaque pixels.
TEST_F(TitleButtonTest, PointerOverAButtonRecomposesWithItsHoverImages) {
    title.RenderEdge(500, 30);
    EXPECT_EQ(Shown(), "nnnn");
    EXPECT_EQ(At(title, 469, 8), 0u); // Close: 30 from the right edge
    EXPECT_TRUE(PixelIs(title, 470, 8, Colour(1)));
    struct Case {
        int x, y, hover;
        const char* shown;
    };
    for (const Case c :
         {Case{50, 8, 4, "oooo"}, Case{480, 8, 1, "ooon"},
          Case{475, 8, 0, "nnnn"} /* Close's transparent pixel */, Case{489, 8, 1, "ooon"},
          Case{470, 8, 0, "nnnn"} /* first column */, Case{480, 2, 0, "nnnn"} /* first row */,
          Case{490, 8, 0, "nnnn"}, Case{20, 8, 2, "ooon"}, Case{260, 8, 3, "ooon"}}) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        const int before = title.CompositionCount(), hoverBefore = title.HoverButton();
        Send(WM_MOUSEMOVE, c.x, c.y);
        EXPECT_EQ(title.HoverButton(), c.hover);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(title.CompositionCount(), before + (hoverBefore != c.hover));
    }
    // Inactive: the inactive images, yet the pointer still lights them up.
    host.active = false;
    title.RenderEdge(500, 30);
    EXPECT_EQ(Shown(), "iiii");
    Send(WM_MOUSEMOVE, 50, 8);
    EXPECT_EQ(title.HoverButton(), 4);
}

TEST_F(TitleButtonTest, ReleaseActsOnTheButtonUnderIt) {
    struct Case {
        UINT down, up;
        int pressX, releaseX;
        const char* log;
    };
    const Case cases[] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, 20, 480, "close;"}, // pressed on Min
        {WM_RBUTTONDOWN, WM_RBUTTONUP, 480, 480, "close;"},
        {WM_LBUTTONDOWN, WM_LBUTTONUP, 20, 20, "min;"},
        {WM_LBUTTONDOWN, WM_LBUTTONUP, 260, 260, "arrange 200 150 320 320;render 320 320;"},
        {WM_LBUTTONDOWN, WM_LBUTTONUP, 50, 50, "roll 1;"},
        {WM_LBUTTONDOWN, WM_LBUTTONUP, 150, 150, ""},
        {WM_RBUTTONDOWN, WM_RBUTTONUP, 150, 150, "menu 300 200;"},
        {WM_LBUTTONDOWN, WM_LBUTTONUP, 475, 475, ""}, // a transparent pixel of Close
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.pressX) + " to " + std::to_string(c.releaseX));
        host.log.clear();
        SetCursorPos(300, 200);
        Send(c.down, c.pressX, 8);
        EXPECT_EQ(title.DragArmed(), title.ButtonAt(c.pressX, 8) == 0);
        EXPECT_EQ(GetCapture(), title.Handle());
        Send(c.up, c.releaseX, 8);
        EXPECT_FALSE(title.DragArmed());
        EXPECT_EQ(host.log, c.log);
    }
    host.log.clear();
    Send(WM_LBUTTONDBLCLK, 480, 8);
    Send(WM_LBUTTONUP, 480, 8);
    EXPECT_EQ(host.log, "min;close;");
}

TEST_F(TitleButtonTest, DragMovesTheFrameByThePointersMovement) {
    SetCursorPos(300, 200);
    Send(WM_LBUTTONDOWN, 150, 8);
    EXPECT_FALSE(title.Timer1().Running());
    SetCursorPos(302, 201); // the way to the first move counts too
    Send(WM_MOUSEMOVE, 152, 8);
    ASSERT_TRUE(title.Timer1().Running());
    SetCursorPos(307, 197);
    title.Timer1Timer();
    title.Timer1Timer(); // the pointer has not moved since
    SetCursorPos(300, 190);
    title.Timer1Timer();
    EXPECT_EQ(host.log, "move 7 -3;move -7 -7;");
    // Released over a button: the drag ends all the same.
    Send(WM_LBUTTONUP, 50, 8);
    EXPECT_FALSE(title.Timer1().Running());
}

// --- Size guard ---

TEST_F(EdgeTest, ASizeChangeComposesOnceAtTheNewSize) {
    skin.Fill("bottom.png", 4, 4, kBlue);
    nq::TfrmTop top(host);
    nq::TfrmLeft left(host);
    nq::TfrmRight right(host);
    nq::TfrmBottom bottom(host);
    for (nq::EdgeWindow* window : std::vector<nq::EdgeWindow*>{&top, &left, &right, &bottom}) {
        SCOPED_TRACE(window->ClassName());
        ASSERT_TRUE(window->Create());
        const HWND w = window->Handle();
        window->RenderEdge(60, 40); // resizes the window itself
        EXPECT_EQ(window->CompositionCount(), 1);
        SetWindowPos(w, nullptr, 0, 0, 80, 40, SWP_NOZORDER | SWP_NOMOVE);
        SetWindowPos(w, nullptr, 30, 20, 80, 40, SWP_NOZORDER); // moved only
        EXPECT_EQ(window->CompositionCount(), 2);
        EXPECT_EQ(window->LastComposition().Width(), 80);
        HDWP batch = BeginDeferWindowPos(1);
        EndDeferWindowPos(DeferWindowPos(batch, w, nullptr, 40, 25, 90, 50, SWP_NOZORDER));
        EXPECT_EQ(window->CompositionCount(), 3);
        EXPECT_EQ(window->LastComposition().Height(), 50);
        RECT r;
        GetWindowRect(w, &r); // where the batch put it
        EXPECT_EQ(r.left + r.right - r.left, 40 + 90);
    }
    EXPECT_TRUE(PixelIs(bottom, 45, 25, kBlue));
    // No size at all: nothing to compose, and the window takes the size.
    SetWindowPos(bottom.Handle(), nullptr, 0, 0, 0, 50, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(bottom.CompositionCount(), 4);
    EXPECT_FALSE(bottom.LastComposition());
    RECT r;
    GetWindowRect(bottom.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 0);
}

// --- Border resize ---

TEST_F(EdgeTest, APressInTheZoneResizesTheClientAtEachTick) {
    host.skin.Bottom = {10, 0, 2, 8};         // rows 3 to 7
    host.skin.Left = {10, 0, 1, 6};           // columns 2 to 5
    host.skin.Right = {{10, 0, 1, 6}, 20, 2}; // the same, corner rows 281 to 297 of 300
    nq::TfrmBottom bottom(host);
    nq::TfrmLeft left(host);
    nq::TfrmRight right(host);
    ASSERT_TRUE(bottom.Create() && left.Create() && right.Create());
    bottom.RenderEdge(400, 10);
    left.RenderEdge(10, 300);
    right.RenderEdge(10, 300);
    struct Case {
        nq::EdgeWindow* window;
        int x, y;
        LPCSTR cursor;
        UINT_PTR timer;  // started by a press there, 0 for none
        const char* log; // after a tick with the pointer moved by (12, 30)
    };
    const Case cases[] = {
        {&bottom, 100, 5, IDC_SIZENS, 1, "arrange 200 150 400 330;"},
        {&bottom, 100, 8, IDC_ARROW, 0, ""},
        {&left, 3, 100, IDC_SIZEWE, 1, "arrange 212 150 388 300;"},
        {&left, 6, 100, IDC_ARROW, 0, ""},
        {&right, 4, 100, IDC_SIZEWE, 1, "arrange 200 150 412 300;"},
        {&right, 4, 290, IDC_SIZENWSE, 2, "arrange 200 150 412 330;"},
        {&right, 8, 290, IDC_ARROW, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.window->ClassName()) + " " + std::to_string(c.x) + "," +
                     std::to_string(c.y));
        const HWND w = c.window->Handle();
        host.log.clear();
        RECT r;
        GetWindowRect(w, &r);
        SetCursorPos(r.left + c.x, r.top + c.y);
        SendMessageA(w, WM_SETCURSOR, WPARAM(w), HTCLIENT);
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, c.cursor));
        SendMessageA(w, WM_LBUTTONDOWN, 0, MAKELPARAM(c.x, c.y));
        SetCursorPos(r.left + c.x + 12, r.top + c.y + 30);
        // The running timer is taken over: its tick comes as its WM_TIMER would.
        EXPECT_EQ(KillTimer(w, 1) ? 1 : KillTimer(w, 2) ? 2 : 0, c.timer);
        SendMessageA(w, WM_TIMER, c.timer, 0);
        EXPECT_EQ(host.log, c.log);
        SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
    }
}

} // namespace

// GDI+ runs for the whole test program.
int main(int argc, char** argv) {
    const nq::GdiplusSession gdiplus;
    ::testing::InitGoogleTest(&argc, argv);
    return gdiplus.Started() ? RUN_ALL_TESTS() : 1;
}
