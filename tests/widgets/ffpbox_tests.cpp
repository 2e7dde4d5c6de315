// TFlickerFreePaintBox as a child of a shown window, checked by the pixels that
// reach the window.
#include "ffpbox.h"
#include "dc.h"
#include "handles.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

using nq::TFlickerFreePaintBox;

constexpr COLORREF kBoxColor = RGB(0x20, 0x40, 0x80);
constexpr COLORREF kInk = RGB(0xC0, 0x10, 0x30);
constexpr COLORREF kEarlier = RGB(0x00, 0xA0, 0x00); // what the screen showed before
constexpr RECT kInked = {20, 10, 50, 30};

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    const nq::UniqueGdiObject brush(CreateSolidBrush(colour));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}

class PaintBoxTest : public ::testing::Test {
  protected:
    PaintBoxTest() {
        ShowWindow(top_, SW_SHOWNOACTIVATE);
        box_.Create(top_, 7, "box");
        box_.SetColor(kBoxColor);
        MoveWindow(box_.Handle(), 10, 10, 120, 60, TRUE);
        UpdateWindow(top_);
    }
    ~PaintBoxTest() override { DestroyWindow(top_); }

    // Draws straight onto the window as an earlier paint would have, then
    // paints the box with an erase asked for.
    void PaintOverEarlier() const {
        Fill(nq::ClientDC(box_.Handle()).get(), RECT{0, 0, 120, 60}, kEarlier);
        InvalidateRect(box_.Handle(), nullptr, TRUE);
        UpdateWindow(box_.Handle());
    }
    COLORREF Pixel(POINT p) const { return GetPixel(nq::ClientDC(box_.Handle()).get(), p.x, p.y); }

    HWND top_ = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CLIPCHILDREN, 50, 50, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
    TFlickerFreePaintBox box_;
};

TEST_F(PaintBoxTest, ScreenShowsTheFinishedCanvasOrNothing) {
    HFONT font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    box_.SetFont(font);
    const auto inks = [&](TFlickerFreePaintBox&, HDC canvas) {
        EXPECT_EQ(GetCurrentObject(canvas, OBJ_FONT), font);
        Fill(canvas, kInked, kInk);
    };
    struct Case {
        const char* name;
        TFlickerFreePaintBox::PaintEvent handler;
        COLORREF inside, outside; // kInked, and the rest of the box
    } const cases[] = {
        {"no handler", nullptr, kEarlier, kEarlier},
        {"handler draws nothing", [](TFlickerFreePaintBox&, HDC) {}, kBoxColor, kBoxColor},
        {"handler draws", inks, kInk, kBoxColor},
        {"handler throws",
         [&](TFlickerFreePaintBox& box, HDC canvas) {
             inks(box, canvas);
             throw std::runtime_error("handler fault"); // caught in the window procedure
         },
         kEarlier, kEarlier},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        box_.OnPaint = c.handler;
        PaintOverEarlier();
        for (const POINT p : {POINT{20, 10}, POINT{49, 29}})
            EXPECT_EQ(Pixel(p), c.inside) << p.x << "," << p.y;
        for (const POINT p : {POINT{0, 0}, POINT{19, 10}, POINT{50, 29}, POINT{119, 59}})
            EXPECT_EQ(Pixel(p), c.outside) << p.x << "," << p.y;
    }
}

TEST_F(PaintBoxTest, ThrowingHandlerStillFreesTheCanvas) {
    std::vector<HGDIOBJ> canvas;
    box_.OnPaint = [&](TFlickerFreePaintBox&, HDC dc) {
        canvas = {dc, GetCurrentObject(dc, OBJ_BITMAP)};
        throw std::runtime_error("handler fault");
    };
    box_.Repaint(); // a first paint, so that caches the system fills count as before
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 100; ++i)
        box_.Repaint();
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore); // 0 under Wine
    EXPECT_FALSE(GetUpdateRect(box_.Handle(), nullptr, FALSE));                // the paint ended
    EXPECT_THROW(box_.Paint(nq::ClientDC(box_.Handle()).get()), std::runtime_error);
    ASSERT_EQ(canvas.size(), 2u);
    EXPECT_EQ(GetObjectType(canvas[0]) | GetObjectType(canvas[1]), 0u); // both deleted
}

TEST_F(PaintBoxTest, ZeroSizedBoxPaintsNothing) {
    box_.OnPaint = [](TFlickerFreePaintBox&, HDC) { ADD_FAILURE() << "painted"; };
    for (const SIZE size : {SIZE{0, 60}, SIZE{120, 0}}) {
        MoveWindow(box_.Handle(), 10, 10, size.cx, size.cy, TRUE);
        box_.Repaint();
        box_.Paint(nq::ClientDC(box_.Handle()).get());
    }
}

TEST_F(PaintBoxTest, PressCapturesTheMouseUntilTheRelease) {
    for (const UINT down : {WM_LBUTTONDOWN, WM_RBUTTONDOWN}) {
        const UINT up = down + 1;
        std::vector<UINT> heard;
        POINT released{};
        box_.OnMouseDown = [&](TFlickerFreePaintBox&, UINT message, POINT) {
            heard.push_back(message);
        };
        box_.OnMouseUp = [&](TFlickerFreePaintBox&, UINT message, POINT client) {
            heard.push_back(GetCapture() ? 0 : message); // the capture is given back first
            released = client;
        };
        SendMessageA(box_.Handle(), down, 0, MAKELPARAM(5, 6));
        EXPECT_EQ(GetCapture(), box_.Handle());
        SendMessageA(box_.Handle(), up, 0, MAKELPARAM(-15, -4)); // left of and above the box
        EXPECT_EQ(heard, (std::vector<UINT>{down, up}));
        EXPECT_EQ(released.x, -15);
        EXPECT_EQ(released.y, -4);
    }
}

} // namespace
