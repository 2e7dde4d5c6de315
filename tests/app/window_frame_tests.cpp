// The client window with its four edge windows: where they stand, rolling up
// and down, the activation's look, the skin menu's folders and the switch;
// closing, minimising and activating the frame as one, and its modal boxes.
#include "window_test_support.h"

#include "skin_menu.h"

#include <algorithm>
#include <utility>

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
                      "[Buttons]\r\nCloseX=-30\r\nCloseY=2\r\nCloseAlign=2\r\nRollX=8\r\n"
                      "RollY=2\r\nRolledUpCloseX=-30\r\nRolledUpCloseY=0\r\n"
                      "RolledUpCloseAlign=2\r\nRolledUpRollX=8\r\nRolledUpRollY=0\r\n"
                      "[general]\r\nname=Blue\r\nauthor=Ann\r\nnotes=Calm and blue\r\n");
        WriteFileText(skins + "Green\\values.ini",
                      "[left]\r\nWidth=9\r\n[top]\r\nHeight=30\r\n[general]\r\nname=Green\r\n");
        WriteFileText(IniPath(), "[Placement]\r\nX=200\r\nY=200\r\nWidth=400\r\nHeight=300\r\n"
                                 "[Skin]\r\nDir=Skins\\Blue\r\n");
        form_ = Open(true);
    }
    void TearDown() override {
        if (form_)
            Close(form_);
    }

    // The four edge windows and the client window, in the order the frame
    // places them.
    std::vector<HWND> FrameWindows() const {
        return {form_->frmTop().Handle(), form_->Handle(), form_->frmBottom().Handle(),
                form_->frmRight().Handle(), form_->frmLeft().Handle()};
    }
    // Which of the five are visible, in FrameWindows' order ("TCBRL" all).
    std::string Visible() const {
        std::string shown;
        for (std::size_t i = 0; i < 5; ++i)
            if (IsWindowVisible(FrameWindows()[i]))
                shown += "TCBRL"[i];
        return shown;
    }

    std::unique_ptr<TfrmMiddle> form_;
};

// Handles the messages waiting for this thread until done() (5 s at most).
template <typename Done> bool PumpUntil(Done done) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < 5000) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    return done();
}

void PumpBriefly(DWORD ms = 200) {
    const DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start >= ms; });
}

BOOL CALLBACK CountButton(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    // What the taskbar lists: visible windows with no owner and no tool
    // window style, and owned ones that ask for a button.
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        !(exStyle & WS_EX_TOOLWINDOW) &&
        (!GetWindow(window, GW_OWNER) || (exStyle & WS_EX_APPWINDOW)))
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int TaskbarButtons() {
    int count = 0;
    EnumWindows(CountButton, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Presses and releases a mouse button at a screen point, as the user does.
void ClickAt(POINT at, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    SetCursorPos(at.x, at.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1].mi.dwFlags = up;
    SendInput(2, input, sizeof(INPUT));
}

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
    // Resized while rolled up (as the Max button or a skin switch may do it),
    // the client's controls fill it again once it is rolled down.
    form_->SetRolledUp(true);
    form_->ArrangeFrame(210, 205, 500, 300);
    form_->SetRolledUp(false);
    RECT panes = Bounds(Control(*form_, ctl::BgPanel));
    MapWindowPoints(nullptr, form_->Handle(), reinterpret_cast<POINT*>(&panes), 2);
    EXPECT_EQ(panes.right, 500);
    EXPECT_EQ(panes.bottom, 300);

    // A client lower than ten pixels still rolls up and down to its height.
    form_->ArrangeFrame(210, 205, 400, 5);
    form_->SetRolledUp(true);
    form_->SetRolledUp(false);
    EXPECT_EQ(Bounds(form_->Handle()).bottom - Bounds(form_->Handle()).top, 5);
}

TEST_F(FrameTest, AltF4OrAnyCloseRequestOnAnyWindowClosesTheProgramTheNormalWay) {
    // Alt+F4 on each of the five; the taskbar window's menu (SC_CLOSE to the
    // application window); Windows ending.
    enum class Request { AltF4, TaskbarClose, EndSession };
    const std::vector<std::pair<Request, int>> cases = {
        {Request::AltF4, 0},     {Request::AltF4, 1}, {Request::AltF4, 2},
        {Request::AltF4, 3},     {Request::AltF4, 4}, {Request::TaskbarClose, 0},
        {Request::EndSession, 0}};
    for (const auto& [request, index] : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(request) << " on window " << index);
        if (!form_)
            form_ = Open(true);
        DeleteFileA(IniPath().c_str());
        DeleteFileA(TxtPath().c_str());
        const std::vector<HWND> windows = FrameWindows();
        switch (request) {
        case Request::AltF4: // as the window with the keyboard focus gets it
            PostMessageA(windows[index], WM_SYSKEYDOWN, VK_F4, 1 | (KF_ALTDOWN << 16));
            break;
        case Request::TaskbarClose:
            PostMessageA(form_->Application().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case Request::EndSession:
            SendMessageA(form_->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
            break;
        }
        const HWND client = windows[1];
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(client); }));
        // FormDestroy ran: both files written; no edge window went first.
        EXPECT_TRUE(Exists(IniPath()));
        EXPECT_TRUE(Exists(TxtPath()));
        for (HWND edge : {windows[0], windows[2], windows[3], windows[4]})
            EXPECT_TRUE(IsWindow(edge));
        form_.reset();
    }
}

TEST_F(FrameTest, MinimisingTakesTheWholeFrameAwayAndRestoringBringsBackItsState) {
    const HWND app = form_->Application().Handle();
    EXPECT_EQ(GetWindow(form_->Handle(), GW_OWNER), app);
    EXPECT_EQ(TaskbarButtons(), 1);
    for (const bool rolled : {false, true}) {
        SCOPED_TRACE(rolled ? "rolled up" : "rolled down");
        form_->SetRolledUp(rolled);
        const std::string shown = rolled ? "T" : "TCBRL";
        const RECT title = Bounds(form_->frmTop().Handle());
        const RECT client = Bounds(form_->Handle());
        EXPECT_EQ(Visible(), shown);
        EXPECT_EQ(TaskbarButtons(), 1);
        // The title bar's double-click; the window system's minimise of the
        // title bar alone or of the client window alone.
        for (const auto& [window, message, command] :
             {std::tuple{form_->frmTop().Handle(), UINT(WM_LBUTTONDBLCLK), 0},
              {form_->frmTop().Handle(), UINT(WM_SYSCOMMAND), SC_MINIMIZE},
              {form_->Handle(), UINT(WM_SYSCOMMAND), SC_MINIMIZE}}) {
            SendMessageA(window, message, static_cast<WPARAM>(command), 0);
            ReleaseCapture(); // the double-click's press holds the mouse
            EXPECT_TRUE(IsIconic(app));
            EXPECT_EQ(Visible(), "");
            EXPECT_EQ(TaskbarButtons(), 1);
            // The taskbar button's click restores the application window.
            SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
            EXPECT_FALSE(IsIconic(app));
            EXPECT_EQ(Visible(), shown);
            EXPECT_EQ(form_->RolledUp(), rolled);
            EXPECT_EQ(TaskbarButtons(), 1);
            EXPECT_EQ(Bounds(form_->frmTop().Handle()).top, title.top);
            EXPECT_EQ(Bounds(form_->frmTop().Handle()).bottom, title.bottom);
        }
        // The window system never moves or sizes a window of the frame alone.
        for (const WPARAM command : {SC_MAXIMIZE, SC_RESTORE})
            for (HWND window : FrameWindows())
                SendMessageA(window, WM_SYSCOMMAND, command, 0);
        const RECT titleNow = Bounds(form_->frmTop().Handle()), clientNow = Bounds(form_->Handle());
        EXPECT_TRUE(EqualRect(&title, &titleNow));
        EXPECT_TRUE(EqualRect(&client, &clientNow));
        EXPECT_EQ(Visible(), shown);
    }
    form_->SetRolledUp(false);
    EXPECT_EQ(Visible(), "TCBRL");
}

// Where a window stands from the top of the z-order, -1 when it is not a
// top-level window.
int ZIndex(HWND window) {
    int index = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT), ++index)
        if (w == window)
            return index;
    return -1;
}

TEST_F(FrameTest, ActivatingAnyWindowOfTheFrameBringsTheOtherFourAlong) {
    // A window of another program over the frame.
    struct Other {
        HWND window = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 150, 150, 500,
                                      400, nullptr, nullptr, nullptr, nullptr);
        ~Other() { DestroyWindow(window); }
    } owned;
    const HWND other = owned.window;
    ASSERT_TRUE(other);
    const auto together = [&] {
        std::vector<int> z;
        for (HWND window : FrameWindows())
            z.push_back(ZIndex(window));
        const auto [low, high] = std::minmax_element(z.begin(), z.end());
        const int between = ZIndex(other);
        return *high - *low == 4 && !(*low < between && between < *high);
    };
    const HWND app = form_->Application().Handle();
    enum class How { ClickTitle, ClickClient, ClickBorder, Taskbar, Restore };
    for (const How how :
         {How::ClickTitle, How::ClickClient, How::ClickBorder, How::Taskbar, How::Restore}) {
        SCOPED_TRACE(static_cast<int>(how));
        // The other program comes to the top, then the title bar alone is
        // lifted above it: the other window now lies between title bar and client.
        SetActiveWindow(other);
        PumpBriefly();
        constexpr UINT kZOnly = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        SetWindowPos(form_->frmTop().Handle(), HWND_TOP, 0, 0, 0, 0, kZOnly);
        SetWindowPos(other, form_->frmTop().Handle(), 0, 0, 0, 0, kZOnly);
        ASSERT_FALSE(together());
        switch (how) {
        case How::ClickTitle:
            SetActiveWindow(form_->frmTop().Handle());
            break;
        case How::ClickClient:
            SetActiveWindow(form_->Handle());
            break;
        case How::ClickBorder:
            SetActiveWindow(form_->frmLeft().Handle());
            break;
        case How::Taskbar:
            SetActiveWindow(app);
            break;
        case How::Restore:
            SendMessageA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            SendMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
            break;
        }
        PumpBriefly();
        EXPECT_TRUE(together());
        if (how == How::Taskbar || how == How::Restore) { // the frame, not the button, is active
            EXPECT_EQ(GetActiveWindow(), form_->Handle());
        }
    }
}

// What the user tries on the frame while a message box is open, and what the
// frame looked like then.
struct WhileBoxOpen {
    std::vector<HWND> frame;
    POINT close, roll, bar;
    std::string enabled; // per window of the frame: 1 enabled
    bool done = false;
};
WhileBoxOpen g_whileOpen;

// Runs inside the box's own message loop: clicks Close and Roll, drags the
// title bar, then answers the box.
void CALLBACK TryTheFrame(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    WhileBoxOpen& w = g_whileOpen;
    for (HWND window : w.frame)
        w.enabled += IsWindowEnabled(window) ? '1' : '0';
    ClickAt(w.close);
    PumpBriefly();
    ClickAt(w.roll);
    PumpBriefly();
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SetCursorPos(w.bar.x, w.bar.y);
    SendInput(1, &press, sizeof press);
    PumpBriefly();
    for (int step = 1; step <= 6; ++step) {
        SetCursorPos(w.bar.x + 5 * step, w.bar.y + 5 * step);
        PumpBriefly(50);
    }
    press.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &press, sizeof press);
    PumpBriefly();
    // The box is the client window's last active popup.
    PostMessageA(GetLastActivePopup(w.frame[1]), WM_COMMAND, IDOK, 0);
    w.done = true;
}

TEST_F(FrameTest, AnOpenMessageBoxLeavesTheFrameWithoutInput) {
    // Close and Roll: 16 x 16 opaque buttons at the title bar's ends.
    const std::string skin = program_.Path() + "Skins\\Blue\\";
    for (const char* name : {"active_close.png", "mouseover_close.png", "inactive_close.png",
                             "active_Roll.png", "mouseover_Roll.png", "inactive_Roll.png"})
        WritePng(skin + name, 16, 16, [](int, int) { return 0xFF3060C0u; });
    form_->DUMMY1Click("Blue");
    const RECT title = Bounds(form_->frmTop().Handle());
    const POINT close{title.right - 30 + 8, title.top + 2 + 8};
    const POINT roll{title.left + 8 + 8, title.top + 2 + 8};
    const POINT bar{(title.left + title.right) / 2, title.top + 10};

    g_whileOpen = WhileBoxOpen{FrameWindows(), close, roll, bar, {}, false};
    SetTimer(nullptr, 0, 300, TryTheFrame);
    WindowsPrompts prompts;
    prompts.Message(form_->Handle(), "Move to trash", "Open while the frame is clicked",
                    MB_YESNO | MB_ICONQUESTION);
    ASSERT_TRUE(g_whileOpen.done);
    EXPECT_EQ(g_whileOpen.enabled, "00000");
    PumpBriefly(300);
    EXPECT_TRUE(IsWindow(form_->Handle()));
    EXPECT_FALSE(form_->RolledUp());
    EXPECT_TRUE(Same(Bounds(form_->frmTop().Handle()), title.left, title.top,
                     title.right - title.left, title.bottom - title.top));
    // With the box closed the frame takes input again: the same click rolls up.
    for (HWND window : FrameWindows())
        EXPECT_TRUE(IsWindowEnabled(window));
    ClickAt(roll);
    EXPECT_TRUE(PumpUntil([&] { return form_->RolledUp(); }));
}

TEST_F(FrameTest, BoundsSavedRolledUpOrMinimisedAreTheOnesTheWindowComesBackTo) {
    const auto saved = [this] {
        const std::vector<std::string> lines = IniLines(IniPath());
        return std::vector<std::string>(lines.begin() + 1, lines.begin() + 5);
    };
    const std::vector<std::string> expected = {"X=210", "Y=205", "Width=400", "Height=300"};
    form_->SetRolledUp(true);
    form_->MoveFrame(10, 5); // the hidden client is no height now
    Close(form_);
    EXPECT_EQ(saved(), expected);
    // Minimised on its own (as another program may do it), the client lies
    // far off screen; the bounds it comes back to are saved.
    form_ = Open(true);
    ShowWindow(form_->Handle(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(form_->Handle()));
    Close(form_);
    EXPECT_EQ(saved(), expected);
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
