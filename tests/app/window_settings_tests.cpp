// Start-up and shutdown of the client window: the settings file and the
// sample text file, read at creation and written at destruction.
#include "window_test_support.h"

#include "control_ids.h"

#include <algorithm>

namespace {

RECT BoundsOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

// The text colour the window gives its search box.
COLORREF SearchTextColour(TfrmMiddle& form) {
    HDC dc = CreateCompatibleDC(nullptr);
    HWND edit = Control(form, ctl::EditSearch);
    SendMessageA(GetParent(edit), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(edit));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kBlack = RGB(0, 0, 0);

TEST_F(WindowTest, FirstRunUsesDefaultsAndWritesAllTwelveKeysInSectionOrder) {
    auto form = Open();
    const RECT bounds = BoundsOf(form->Handle());
    EXPECT_EQ(bounds.left, 100);
    EXPECT_EQ(bounds.top, 100);
    EXPECT_EQ(bounds.right - bounds.left, 320);
    EXPECT_EQ(bounds.bottom - bounds.top, 320);
    EXPECT_EQ(form->PaneSizes().CollectionsPane, 185);
    EXPECT_EQ(form->PaneSizes().FontsPane, 185);
    EXPECT_EQ(form->PaneSizes().DetailsPane, 23);
    EXPECT_EQ(form->PreviewSize(), 32);
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::ComboBox1)), "32");
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::EditSearch)), "");
    EXPECT_FALSE(form->SearchActive());
    EXPECT_EQ(form->SkinDir(), "Skins/Default");
    EXPECT_EQ(form->ButtonsDir(), "Buttons/Default");
    EXPECT_EQ(form->PreviewIndex(), -1);
    // Without a skin, the window text is the skin reader's default.
    EXPECT_EQ(nq::WindowText(form->Handle()), "NimbPreview");
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::LbPreview)),
              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklm\r\nnop\r\nqr\r\nstuvwxyz1234567890");
    EXPECT_FALSE(IsWindowVisible(Control(*form, ctl::LbPreview)));
    ASSERT_NE(form->Fonts(), nullptr);
    EXPECT_TRUE(form->Fonts()->empty());
    EXPECT_FALSE(Exists(IniPath()));

    Close(form);
    const std::vector<std::string> expected = {"[Placement]",
                                               "X=100",
                                               "Y=100",
                                               "Width=320",
                                               "Height=320",
                                               "[Skin]",
                                               "Dir=Skins/Default",
                                               "[Buttons]",
                                               "Dir=Buttons/Default",
                                               "[Sizes]",
                                               "CollectionsPane=185",
                                               "FontsPane=185",
                                               "DetailsPane=23",
                                               "[Other]",
                                               "Size=32",
                                               "Search=",
                                               "[Library]",
                                               "Scope=auto"};
    EXPECT_EQ(IniLines(IniPath()), expected);
    EXPECT_EQ(ReadFileText(TxtPath()),
              "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklm\r\nnop\r\nqr\r\nstuvwxyz1234567890\r\n");
    EXPECT_TRUE(prompts_.Messages.empty());
}

TEST_F(WindowTest, HandEditedValuesAreReadDecimalOrHexAndGarbageFallsBack) {
    WriteFileText(IniPath(), "[Sizes]\r\nCollectionsPane=0x64\r\nFontsPane=wide\r\n"
                             "DetailsPane=40\r\n[Other]\r\nSize=20\r\nSearch=bold\r\n"
                             "[Placement]\r\nX=0x10\r\nY=-20\r\nWidth=12abc\r\nHeight=400\r\n"
                             "[Skin]\r\nDir=Skins\\Blue\r\n");
    auto form = Open();
    EXPECT_EQ(form->PaneSizes().CollectionsPane, 100);
    EXPECT_EQ(form->PaneSizes().FontsPane, 185);
    EXPECT_EQ(form->PaneSizes().DetailsPane, 40);
    EXPECT_EQ(form->PreviewSize(), 20);
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::ComboBox1)), "20");
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::EditSearch)), "bold");
    EXPECT_TRUE(form->SearchActive());
    EXPECT_EQ(SearchTextColour(*form), kBlack);
    const RECT bounds = BoundsOf(form->Handle());
    EXPECT_EQ(bounds.left, 16);
    EXPECT_EQ(bounds.top, -20);
    EXPECT_EQ(bounds.right - bounds.left, 320);
    EXPECT_EQ(bounds.bottom - bounds.top, 400);
    EXPECT_EQ(form->SkinDir(), "Skins\\Blue");
    // The panes take the sizes that were read.
    RECT list;
    GetClientRect(Control(*form, ctl::LbFolders), &list);
    EXPECT_EQ(list.right, 100);
    RECT strip;
    GetClientRect(Control(*form, ctl::PaintBox1), &strip);
    EXPECT_EQ(strip.bottom, 40);

    Close(form);
    // Written back in decimal, in the order of a fresh file's sections where
    // they are new, the existing sections kept where they stood.
    const std::vector<std::string> lines = IniLines(IniPath());
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has("CollectionsPane=100"));
    EXPECT_TRUE(has("FontsPane=185"));
    EXPECT_TRUE(has("Size=20"));
    EXPECT_TRUE(has("Search=bold"));
    EXPECT_TRUE(has("X=16"));
    EXPECT_TRUE(has("Width=320"));
    EXPECT_TRUE(has("Dir=Skins\\Blue"));
    EXPECT_TRUE(has("Dir=Buttons/Default"));
}

TEST_F(WindowTest, SavedBoundsNoOneCouldSeeOrUseStartAtTheDefaultAndAreNotWrittenBack) {
    struct Case {
        long long X, Y, Width, Height;
        bool Kept;
    };
    for (const Case c :
         {Case{300, 200, 500, 400, true}, Case{-99999, 200, 500, 400, false},
          Case{300, 99999, 500, 400, false}, Case{300, 200, 0, 400, false},
          Case{300, 200, 500, -500, false}, Case{300, 200, 2147483647, 400, false},
          Case{300, 200, 500, 100, false}, Case{2147483647, 2147483647, 500, 400, false}}) {
        const std::string placement = "X=" + std::to_string(c.X) + "\r\nY=" + std::to_string(c.Y) +
                                      "\r\nWidth=" + std::to_string(c.Width) +
                                      "\r\nHeight=" + std::to_string(c.Height) + "\r\n";
        SCOPED_TRACE(placement);
        WriteFileText(IniPath(), "[Placement]\r\n" + placement);
        auto form = Open();
        const RECT bounds = BoundsOf(form->Handle());
        const RECT expected = c.Kept ? RECT{300, 200, 800, 600} : RECT{100, 100, 420, 420};
        EXPECT_TRUE(EqualRect(&bounds, &expected));
        Close(form);
        const std::vector<std::string> lines = IniLines(IniPath());
        const std::vector<std::string> written(lines.begin() + 1, lines.begin() + 5);
        EXPECT_EQ(written,
                  c.Kept ? (std::vector<std::string>{"X=300", "Y=200", "Width=500", "Height=400"})
                         : (std::vector<std::string>{"X=100", "Y=100", "Width=320", "Height=320"}));
    }
}

TEST_F(WindowTest, SavedPlaceholderComesBackGreyAndInactiveLikeAnEmptyBox) {
    WriteFileText(IniPath(), "[Other]\r\nSearch=Search\r\n");
    auto form = Open();
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::EditSearch)), "Search");
    EXPECT_FALSE(form->SearchActive());
    EXPECT_EQ(SearchTextColour(*form), kSilver);
    Close(form);

    // Case matters: "search" is a filter the user typed.
    WriteFileText(IniPath(), "[Other]\r\nSearch=search\r\n");
    form = Open();
    EXPECT_TRUE(form->SearchActive());
    EXPECT_EQ(SearchTextColour(*form), kBlack);
    Close(form);
}

TEST_F(WindowTest, SettingsFileThatCannotBeWrittenIsReportedAndLaterWritesAreNotMade) {
    // A folder where the settings file should be: no write can succeed.
    ASSERT_TRUE(CreateDirectoryA(IniPath().c_str(), nullptr));
    auto form = Open();
    EXPECT_EQ(form->PreviewSize(), 32); // defaults, as for a missing file
    Close(form);
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Caption, "NimbQuillbox");
    EXPECT_EQ(prompts_.Messages[0].Text, "Unable to write to " + IniPath());
    EXPECT_EQ(prompts_.Messages[0].Type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    // The sample text file is written before the settings, whatever they do.
    EXPECT_TRUE(Exists(TxtPath()));
}

TEST_F(WindowTest, SettingsFileHeldOpenByAnotherProgramKeepsItsContent) {
    const std::string original = "[Other]\r\nSize=20\r\n";
    WriteFileText(IniPath(), original);
    auto form = Open();
    EXPECT_EQ(form->PreviewSize(), 20);
    // Another program holds the file open without sharing it at exit time.
    HANDLE held = CreateFileA(IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Close(form);
    CloseHandle(held);
    EXPECT_EQ(ReadFileText(IniPath()), original);
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Text, "Unable to write to " + IniPath());
}

TEST_F(WindowTest, SampleTextFileIsReadAtStartAndRewrittenAtExit) {
    WriteFileText(TxtPath(), "One\r\nTwo\nThree");
    auto form = Open();
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::LbPreview)), "One\r\nTwo\r\nThree");
    SetWindowTextA(Control(*form, ctl::LbPreview), "Edited\r\n\r\nlines");
    Close(form);
    EXPECT_EQ(ReadFileText(TxtPath()), "Edited\r\n\r\nlines\r\n");

    form = Open();
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::LbPreview)), "Edited\r\n\r\nlines");
    Close(form);
    EXPECT_EQ(ReadFileText(TxtPath()), "Edited\r\n\r\nlines\r\n");
}

TEST_F(WindowTest, UnreadableSampleTextIsReportedAndKept) {
    WriteFileText(TxtPath(), "Mine\r\n");
    {
        // Another program holds the file without sharing it.
        const nq::UniqueFile held(CreateFileA(TxtPath().c_str(), GENERIC_READ, 0, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        auto form = Open();
        ASSERT_EQ(prompts_.Messages.size(), 1u);
        EXPECT_EQ(prompts_.Messages[0].Text, "Cannot open file " + TxtPath());
        Close(form);
    }
    EXPECT_EQ(ReadFileText(TxtPath()), "Mine\r\n");
}

TEST_F(WindowTest, PaneSizesThatCannotBeLaidOutAreHeldToTheSplittersLimits) {
    WriteFileText(IniPath(), "[Placement]\r\nWidth=600\r\nHeight=400\r\n"
                             "[Sizes]\r\nCollectionsPane=-10\r\nFontsPane=99999\r\n"
                             "DetailsPane=99999\r\n");
    auto form = Open();
    EXPECT_EQ(form->PaneSizes().CollectionsPane, 185); // negative: the default
    RECT preview, strip;
    GetClientRect(Control(*form, ctl::PreviewPanel), &preview);
    EXPECT_EQ(preview.right, 30);
    GetClientRect(Control(*form, ctl::PaintBox1), &strip);
    EXPECT_EQ(preview.bottom - strip.bottom, 6 + 30);
    // A drag starts from what the user sees.
    DragSplitter(Control(*form, ctl::Splitter2), -100);
    EXPECT_EQ(form->PaneSizes().FontsPane, 600 - 1 - 2 - 185 - 30 - 100);
    Close(form);
}

TEST_F(WindowTest, EmptiedSampleTextStaysEmpty) {
    WriteFileText(TxtPath(), "");
    auto form = Open();
    EXPECT_EQ(nq::WindowText(Control(*form, ctl::LbPreview)), "");
    Close(form);
    EXPECT_EQ(ReadFileText(TxtPath()), "");
}

TEST_F(WindowTest, ControlsStandWhereTheLayoutPutsThem) {
    WriteFileText(IniPath(), "[Placement]\r\nWidth=900\r\nHeight=600\r\n");
    auto form = Open();
    const auto c = [&](int id) { return Control(*form, id); };
    const auto rectIn = [](HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    EXPECT_EQ(rectIn(c(ctl::Toolbar)).bottom, 34);
    EXPECT_EQ(rectIn(c(ctl::Panel10)).left, 900 - 185);
    const RECT search = rectIn(c(ctl::EditSearch));
    EXPECT_EQ(search.left, 44);
    EXPECT_EQ(search.top, 6);
    EXPECT_EQ(search.right - search.left, 113);
    EXPECT_EQ(search.bottom - search.top, 18);
    EXPECT_EQ(rectIn(c(ctl::BgPanel)).top, 34);
    EXPECT_EQ(rectIn(c(ctl::Panel3)).left, 1);
    EXPECT_EQ(rectIn(c(ctl::LbFolders)).top, 17);
    EXPECT_EQ(rectIn(c(ctl::LbFolders)).bottom, 566 - 29);
    EXPECT_EQ(rectIn(c(ctl::Splitter1)).left, 186);
    EXPECT_EQ(rectIn(c(ctl::Panel1)).left, 187);
    EXPECT_EQ(rectIn(c(ctl::PreviewPanel)).left, 373);
    EXPECT_EQ(rectIn(c(ctl::PaintBox1)).top, 566 - 23);
    EXPECT_EQ(rectIn(c(ctl::Splitter3)).top, 566 - 23 - 6);
    EXPECT_EQ(nq::WindowText(c(ctl::CollectionHeader)), "Collections for everyone");
    EXPECT_EQ(nq::WindowText(c(ctl::FontHeader)), "Font");
    EXPECT_FALSE(IsWindowVisible(c(ctl::Button1)));
    EXPECT_FALSE(IsWindowVisible(c(ctl::Button2)));
    char cls[32] = {};
    GetClassNameA(c(ctl::LbFonts), cls, sizeof cls);
    EXPECT_STREQ(cls, "ListBox");
    // The fonts list keeps its rows' text for screen readers, drawn by the pane.
    EXPECT_TRUE(GetWindowLongA(c(ctl::LbFonts), GWL_STYLE) & LBS_HASSTRINGS);
    EXPECT_TRUE(GetWindowLongA(c(ctl::LbFonts), GWL_STYLE) & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(GetWindowLongA(c(ctl::LbFolders), GWL_STYLE) & LBS_EXTENDEDSEL);
    EXPECT_EQ(SendMessageA(c(ctl::ComboBox1), CB_GETCOUNT, 0, 0), 15);
    Close(form);
}

TEST_F(WindowTest, SplittersKeepThirtyPixelsAndAreSavedAtExit) {
    WriteFileText(IniPath(), "[Placement]\r\nWidth=600\r\nHeight=400\r\n");
    auto form = Open();
    const auto drag = [&](int splitter, int offset) {
        DragSplitter(Control(*form, splitter), offset);
    };
    drag(ctl::Splitter1, -500);
    EXPECT_EQ(form->PaneSizes().CollectionsPane, 30);
    drag(ctl::Splitter2, 5000); // the preview pane keeps 30 of the 600
    EXPECT_EQ(form->PaneSizes().FontsPane, 600 - 1 - 30 - 2 - 30);
    RECT preview;
    GetClientRect(Control(*form, ctl::PreviewPanel), &preview);
    EXPECT_EQ(preview.right, 30);
    drag(ctl::Splitter3, -50); // up: the details strip grows
    EXPECT_EQ(form->PaneSizes().DetailsPane, 73);
    drag(ctl::Splitter3, 1000); // down to its minimum: the design height
    EXPECT_EQ(form->PaneSizes().DetailsPane, 23);
    Close(form);
    const std::vector<std::string> lines = IniLines(IniPath());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "CollectionsPane=30"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "FontsPane=537"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "DetailsPane=23"), lines.end());
}

} // namespace
