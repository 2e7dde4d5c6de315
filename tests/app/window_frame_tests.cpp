// The client window with its four edge windows: where they stand, rolling up
// and down, the activation's look, the skin menu's folders and the switch.
#include "window_test_support.h"

#include "skin_menu.h"

#include <algorithm>

namespace {

RECT Bounds(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool Same(const RECT& r, int left, int top, int width, int height) {
    return r.left == left && r.top == top && r.right - r.left == width &&
           r.bottom - r.top == height;
}

class FrameTest : public WindowTest {
  protected:
    void SetUp() override {
        const std::string skins = program_.Path() + "Skins\\";
        for (const char* folder : {"", "Blue", "Green", "Hidden"})
            ASSERT_TRUE(CreateDirectoryA((skins + folder).c_str(), nullptr) || !*folder);
        SetFileAttributesA((skins + "Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        WriteFileText(skins + "readme.txt", "not a skin");
        WriteFileText(skins + "Blue\\values.ini",
                      "[left]\r\nWidth=5\r\n[right]\r\nWidth=6\r\n[top]\r\nHeight=20\r\n"
                      "InActiveHeight=20\r\nRolledUpHeight=10\r\n[bottom]\r\nHeight=4\r\n"
                      "[Caption]\r\nAlphaInActive=128\r\n"
                      "[general]\r\nname=Blue\r\nauthor=Ann\r\nnotes=Calm and blue\r\n");
        WriteFileText(skins + "Green\\values.ini",
                      "[left]\r\nWidth=9\r\n[top]\r\nHeight=30\r\n[general]\r\nname=Green\r\n");
        WriteFileText(IniPath(), "[Placement]\r\nX=200\r\nY=200\r\nWidth=400\r\nHeight=300\r\n"
                                 "[Skin]\r\nDir=Skins\\Blue\r\n");
        form_ = Open(true);
    }
    void TearDown() override { Close(form_); }

    std::unique_ptr<TfrmMiddle> form_;
};

TEST_F(FrameTest, EdgeWindowsStandAroundTheClientAndFollowASkinSwitch) {
    EXPECT_TRUE(Same(Bounds(form_->frmTop().Handle()), 195, 180, 411, 20));
    EXPECT_TRUE(Same(Bounds(form_->frmBottom().Handle()), 200, 500, 400, 4));
    EXPECT_TRUE(Same(Bounds(form_->frmRight().Handle()), 600, 200, 6, 304));
    EXPECT_TRUE(Same(Bounds(form_->frmLeft().Handle()), 195, 200, 5, 304));
    for (HWND edge : {form_->frmTop().Handle(), form_->frmBottom().Handle()})
        EXPECT_TRUE(IsWindowVisible(edge));

    // The menu offers the visible folders only.
    std::vector<std::string> skins = nq::SkinFolders(program_.Path() + "Skins\\");
    std::sort(skins.begin(), skins.end());
    EXPECT_EQ(skins, (std::vector<std::string>{"Blue", "Green"}));

    form_->DUMMY1Click("Green");
    EXPECT_EQ(form_->SkinDir(), "Skins\\Green");
    EXPECT_TRUE(Same(Bounds(form_->frmTop().Handle()), 191, 170, 409, 30));
    EXPECT_TRUE(Same(Bounds(form_->Handle()), 200, 200, 400, 300)); // the client stays
    form_->DUMMY1Click("Blue");
    ASSERT_EQ(prompts_.Messages.size(), 2u);
    EXPECT_EQ(prompts_.Messages[0].Text, "Green by \n\nNotes:\n");
    EXPECT_EQ(prompts_.Messages[1].Caption, "Skin Info");
    EXPECT_EQ(prompts_.Messages[1].Text, "Blue by Ann\n\nNotes:\nCalm and blue");
    EXPECT_EQ(prompts_.Messages[1].Type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(FrameTest, RollingUpHidesAllButTheTitleBarAndRollingDownRestoresTheHeight) {
    form_->SetRolledUp(true);
    EXPECT_TRUE(form_->RolledUp());
    EXPECT_FALSE(IsWindowVisible(form_->Handle()));
    EXPECT_FALSE(IsWindowVisible(form_->frmLeft().Handle()));
    EXPECT_TRUE(IsWindowVisible(form_->frmTop().Handle()));
    EXPECT_EQ(form_->TopHeight(), 10);
    EXPECT_TRUE(Same(Bounds(form_->frmTop().Handle()), 195, 180, 411, 10));
    form_->MoveFrame(10, 5); // a drag moves the hidden windows along
    form_->SetRolledUp(false);
    EXPECT_TRUE(IsWindowVisible(form_->Handle()));
    EXPECT_TRUE(IsWindowVisible(form_->frmRight().Handle()));
    EXPECT_TRUE(Same(Bounds(form_->Handle()), 210, 205, 400, 300));
    EXPECT_TRUE(Same(Bounds(form_->frmBottom().Handle()), 210, 505, 400, 4));

    // A client lower than ten pixels still rolls up and down to its height.
    form_->ArrangeFrame(210, 205, 400, 5);
    form_->SetRolledUp(true);
    form_->SetRolledUp(false);
    EXPECT_EQ(Bounds(form_->Handle()).bottom - Bounds(form_->Handle()).top, 5);
}

TEST_F(FrameTest, DeactivationMakesTheTitleBarItsInactiveOpacity) {
    SendMessageA(form_->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(form_->Active());
    EXPECT_EQ(form_->frmTop().LastPushAlpha(), 128);
    EXPECT_FALSE(form_->frmTop().ShownActive());
    SendMessageA(form_->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(form_->frmTop().LastPushAlpha(), 255);
    EXPECT_TRUE(form_->frmTop().ShownActive());
}

} // namespace
