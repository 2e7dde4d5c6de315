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

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    const nq::UniqueGdiObject brush(CreateSolidBrush(colour));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}

class PaintBoxTest : public ::testing::Test {
  protected:
    PaintBoxTest() {
        ShowWindow(top_, SW_SHOWNOACTIVATE);
        box_.Create(top_, 7, "box");
        MoveWindow(box_.Handle(), 10, 10, 120, 60, TRUE);
        UpdateWindow(top_);
    }
    ~PaintBoxTest() override { DestroyWindow(top_); }

    COLORREF Pixel(int x, int y) const {
        const nq::ClientDC dc(box_.Handle());
        return GetPixel(dc.get(), x, y);
    }
    // Draws straight onto the window, as an earlier paint would have left it.
    void PaintEarlier() const {
        const nq::ClientDC dc(box_.Handle());
        Fill(dc.get(), RECT{0, 0, 120, 60}, kEarlier);
    }

    HWND top_ = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_CLIPCHILDREN, 50, 50, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
    TFlickerFreePaintBox box_;
};

TEST_F(PaintBoxTest, ScreenShowsColorUnderWhatTheHandlerDrew) {
    struct Case {
        const char* name;
        bool draws;
    };
    for (const Case c : {Case{"draws nothing", false}, Case{"draws a rectangle", true}}) {
        SCOPED_TRACE(c.name);
        HFONT font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
        box_.SetColor(kBoxColor);
        box_.SetFont(font);
        BITMAP canvasBitmap{};
        HGDIOBJ canvasFont = nullptr;
        box_.OnPaint = [&](TFlickerFreePaintBox& sender, HDC canvas) {
            EXPECT_EQ(&sender, &box_);
            GetObject(GetCurrentObject(canvas, OBJ_BITMAP), sizeof canvasBitmap, &canvasBitmap);
            canvasFont = GetCurrentObject(canvas, OBJ_FONT);
            if (c.draws)
                Fill(canvas, RECT{20, 10, 50, 30}, kInk);
        };
        PaintEarlier();
        box_.Repaint();
        EXPECT_EQ(canvasBitmap.bmWidth, 120);
        EXPECT_EQ(canvasBitmap.bmHeight, 60);
        EXPECT_EQ(canvasFont, font);
        const COLORREF drawn = c.draws ? kInk : kBoxColor;
        EXPECT_EQ(Pixel(20, 10), drawn);
        EXPECT_EQ(Pixel(49, 29), drawn);
        for (const POINT p : {POINT{0, 0}, POINT{19, 10}, POINT{50, 29}, POINT{119, 59}})
            EXPECT_EQ(Pixel(p.x, p.y), kBoxColor) << p.x << "," << p.y;
    }
}

TEST_F(PaintBoxTest, WithoutHandlerTheScreenKeepsWhatItShowed) {
    PaintEarlier();
    InvalidateRect(box_.Handle(), nullptr, TRUE); // with an erase
    UpdateWindow(box_.Handle());
    EXPECT_EQ(Pixel(0, 0), kEarlier);
    EXPECT_EQ(Pixel(119, 59), kEarlier);
}

// The canvas and its bitmap are freed although the handler throws; the paint
// then leaves the screen as it was.
TEST_F(PaintBoxTest, ThrowingHandlerFreesTheCanvasAndDrawsNothing) {
    std::vector<HGDIOBJ> canvases;
    box_.OnPaint = [&](TFlickerFreePaintBox&, HDC canvas) {
        canvases = {canvas, GetCurrentObject(canvas, OBJ_BITMAP)};
        Fill(canvas, RECT{0, 0, 120, 60}, kInk);
        throw std::runtime_error("handler fault");
    };
    PaintEarlier();
    box_.Repaint(); // a first paint, so that caches the system fills count as before
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 100; ++i)
        box_.Repaint(); // caught inside the window procedure
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
    ASSERT_EQ(canvases.size(), 2u);
    EXPECT_EQ(GetObjectType(canvases[0]), 0u);
    EXPECT_EQ(GetObjectType(canvases[1]), 0u);
    EXPECT_EQ(Pixel(60, 30), kEarlier);
    EXPECT_FALSE(GetUpdateRect(box_.Handle(), nullptr, FALSE)); // the paint ended

    const nq::ClientDC dc(box_.Handle());
    EXPECT_THROW(box_.Paint(dc.get()), std::runtime_error); // called directly, it reaches us
    EXPECT_EQ(GetObjectType(canvases[1]), 0u);
}

TEST_F(PaintBoxTest, ZeroSizedBoxPaintsNothing) {
    int calls = 0;
    box_.OnPaint = [&](TFlickerFreePaintBox&, HDC) { ++calls; };
    for (const SIZE size : {SIZE{0, 60}, SIZE{120, 0}, SIZE{0, 0}}) {
        MoveWindow(box_.Handle(), 10, 10, size.cx, size.cy, TRUE);
        box_.Repaint();
        const nq::ClientDC dc(box_.Handle());
        box_.Paint(dc.get());
    }
    EXPECT_EQ(calls, 0);
}

TEST_F(PaintBoxTest, PressCapturesTheMouseUntilTheRelease) {
    struct Case {
        UINT down, up;
    };
    for (const Case c : {Case{WM_LBUTTONDOWN, WM_LBUTTONUP}, Case{WM_RBUTTONDOWN, WM_RBUTTONUP}}) {
        std::vector<UINT> messages;
        POINT released{};
        bool capturedInUp = true;
        box_.OnMouseDown = [&](TFlickerFreePaintBox&, UINT message, POINT) {
            messages.push_back(message);
        };
        box_.OnMouseUp = [&](TFlickerFreePaintBox&, UINT message, POINT client) {
            messages.push_back(message);
            released = client;
            capturedInUp = GetCapture() == box_.Handle();
        };
        SendMessageA(box_.Handle(), c.down, 0, MAKELPARAM(5, 6));
        EXPECT_EQ(GetCapture(), box_.Handle());
        // Released left of and above the box: negative client coordinates.
        SendMessageA(box_.Handle(), c.up, 0, MAKELPARAM(-15, -4));
        EXPECT_EQ(messages, (std::vector<UINT>{c.down, c.up}));
        EXPECT_EQ(released.x, -15);
        EXPECT_EQ(released.y, -4);
        EXPECT_FALSE(capturedInUp);
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

} // namespace
