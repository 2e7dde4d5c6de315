// Several fonts at once, the keyboard, the right-click menus and renaming a
// collection, on the real client window: keys go through the window's message
// loop, menus are the ones the window builds, and the effects are read from
// the registry, the folders, the clipboard and the recycle bin.
#include "window_actions_support.h"

#include "font_fixtures.h"

#include <algorithm>

namespace {

using namespace actions;

// A top-level window that counts the WM_FONTCHANGE broadcasts it receives.
class FontChangeCounter {
  public:
    FontChangeCounter() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "NqFontChangeCounter";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        count_ = 0;
    }
    FontChangeCounter(const FontChangeCounter&) = delete;
    FontChangeCounter& operator=(const FontChangeCounter&) = delete;
    ~FontChangeCounter() { DestroyWindow(window_); }
    int Count() const { return count_; }
    void Reset() { count_ = 0; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_FONTCHANGE)
            ++count_;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static inline int count_ = 0;
    HWND window_ = nullptr;
};

std::string ClipboardText() {
    if (!OpenClipboard(nullptr))
        return "(clipboard busy)";
    std::string text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = nq::Utf8FromWide(std::wstring(wide));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

class CommandsTest : public ActionsTest {
  protected:
    std::string Alpha() const { return Root() + "Alpha\\"; }
    std::string Beta() const { return Root() + "Beta\\"; }
    HWND Search() const { return Control(*form_, ctl::EditSearch); }
    Rows SelectedRows() const {
        Rows rows;
        const Rows all = ListRows(Fonts());
        for (int row = 0; row < static_cast<int>(all.size()); ++row)
            if (SendMessageA(Fonts(), LB_GETSEL, row, 0) > 0)
                rows.push_back(all[row]);
        return rows;
    }
    // A click with Ctrl held, which adds a row to the selection or takes it out.
    void CtrlClickRow(HWND list, int row) const {
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(InRow(list, row)));
        SendMessageA(list, WM_LBUTTONUP, MK_CONTROL, At(InRow(list, row)));
        PumpMessages(*form_);
    }
    // A right click at a point of the list's client area, as the mouse gives
    // it: the release asks the list for its menu.
    void RightClickAt(HWND list, POINT client) const {
        SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, At(client));
        SendMessageA(list, WM_RBUTTONUP, 0, At(client));
        PumpMessages(*form_);
    }
    void RightClickRow(HWND list, int row) const { RightClickAt(list, InRow(list, row)); }
    // Opens the menu of a row and chooses the item of that path.
    std::vector<std::string> Choose(HWND list, int row, const std::string& item) {
        prompts_.MenuChoices = {item};
        RightClickRow(list, row);
        return prompts_.Menus.empty() ? std::vector<std::string>{} : prompts_.Menus.back();
    }

    FontChangeCounter fontChanges_;
};

TEST_F(CommandsTest, SelectedFontsSwitchTogetherAndARefusedOneIsNamedAndLeftAsItWas) {
    const std::string host = saved_["DejaVu Sans Bold"];
    ASSERT_FALSE(host.empty()) << "the prefix does not register the host's DejaVu fonts";
    SetFontValue(HKEY_LOCAL_MACHINE, "DejaVu Sans Bold", host); // the name belongs to another file
    List("Alpha");
    ClickFont(*form_, 0);
    PressKey(*form_, Fonts(), 'A', {VK_CONTROL});
    ASSERT_EQ(SelectedRows(), (Rows{"DejaVu Sans", "DejaVu Sans Bold", "Liberation Sans Bold"}));

    fontChanges_.Reset();
    PressKey(*form_, Fonts(), VK_SPACE);
    EXPECT_EQ(FontValue("DejaVu Sans"), Alpha() + "DejaVuSans.ttf");
    EXPECT_EQ(FontValue("Liberation Sans Bold"), Alpha() + "LiberationSans-Bold.ttf");
    EXPECT_EQ(FontValue("DejaVu Sans Bold"), host);
    EXPECT_EQ(fontChanges_.Count(), 1);
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Text,
              "1 of 3 fonts could not be switched on; the other 2 were.\n\n'DejaVu Sans Bold' is "
              "already registered for " +
                  host + ".");
    for (const auto& record : *form_->Fonts())
        EXPECT_EQ(record->Installed, record->Name != "DejaVu Sans Bold") << record->Name;

    // Ctrl+click takes the refused one out: every selected font is on, so
    // Space switches them all off, with one broadcast again.
    CtrlClickRow(Fonts(), FindRow(Fonts(), "DejaVu Sans Bold"));
    ASSERT_EQ(SelectedRows(), (Rows{"DejaVu Sans", "Liberation Sans Bold"}));
    fontChanges_.Reset();
    PressKey(*form_, Fonts(), VK_SPACE);
    EXPECT_EQ(FontValue("DejaVu Sans"), "");
    EXPECT_EQ(FontValue("Liberation Sans Bold"), "");
    EXPECT_EQ(FontValue("DejaVu Sans Bold"), host);
    EXPECT_EQ(fontChanges_.Count(), 1);
    EXPECT_EQ(prompts_.Messages.size(), 1u);
}

TEST_F(CommandsTest, ADraggedSelectionMovesTogetherAndAFontThatCannotGoStaysAndIsNamed) {
    List("Alpha");
    SelectFont("DejaVu Sans");
    PressKey(*form_, Fonts(), VK_SPACE); // on: it stays on at its new place
    CopyHostFont(kDejaVuSerif, Beta() + "LiberationSans-Bold.ttf");
    PressKey(*form_, Fonts(), 'A', {VK_CONTROL});

    // A plain click on one of the selected rows selects it alone; pressed and
    // dragged, the row takes the whole selection along.
    ClickRow(Fonts(), 1);
    EXPECT_EQ(SelectedRows(), Rows{"DejaVu Sans Bold"});
    PressKey(*form_, Fonts(), 'A', {VK_CONTROL});
    fontChanges_.Reset();
    DragRow(Fonts(), 1, OnFolderRow("Beta"));
    PumpMessages(*form_);

    EXPECT_TRUE(Exists(Beta() + "DejaVuSans.ttf"));
    EXPECT_TRUE(Exists(Beta() + "DejaVuSans-Bold.ttf"));
    EXPECT_TRUE(Exists(Alpha() + "LiberationSans-Bold.ttf"));
    EXPECT_FALSE(Exists(Alpha() + "DejaVuSans.ttf"));
    EXPECT_EQ(FontValue("DejaVu Sans"), Beta() + "DejaVuSans.ttf");
    EXPECT_EQ(fontChanges_.Count(), 1);
    EXPECT_EQ(ListRows(Fonts()), Rows{"Liberation Sans Bold"});
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Caption, "Move font");
    EXPECT_EQ(prompts_.Messages[0].Text,
              "1 of 3 fonts could not be moved to Beta; the other 2 were.\n\nThe collection "
              "already holds a file named LiberationSans-Bold.ttf, so the font Liberation Sans "
              "Bold was not moved.");
}

TEST_F(CommandsTest, DeleteTrashesTheSelectionAfterAQuestionThatCountsItAndNamesWhatStayed) {
    List("Alpha");
    SelectFont("Liberation Sans Bold");
    PressKey(*form_, Fonts(), VK_SPACE);
    PressKey(*form_, Fonts(), 'A', {VK_CONTROL});
    // Another program took one file away meanwhile.
    ASSERT_TRUE(DeleteFileA((Alpha() + "DejaVuSans-Bold.ttf").c_str()));

    prompts_.Buttons = {IDNO, IDYES};
    PressKey(*form_, Fonts(), VK_DELETE);
    EXPECT_TRUE(Exists(Alpha() + "DejaVuSans.ttf"));
    EXPECT_EQ(FontValue("Liberation Sans Bold"), Alpha() + "LiberationSans-Bold.ttf");
    fontChanges_.Reset();
    PressKey(*form_, Fonts(), VK_DELETE);
    ASSERT_EQ(prompts_.Messages.size(), 3u);
    EXPECT_EQ(prompts_.Messages[1].Text, "Are you sure you want move these 3 fonts to the trash?");
    EXPECT_EQ(prompts_.Messages[1].Type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_FALSE(Exists(Alpha() + "DejaVuSans.ttf"));
    EXPECT_FALSE(Exists(Alpha() + "LiberationSans-Bold.ttf"));
    EXPECT_TRUE(TakeTrashed(Alpha() + "DejaVuSans.ttf"));
    EXPECT_TRUE(TakeTrashed(Alpha() + "LiberationSans-Bold.ttf"));
    EXPECT_EQ(FontValue("Liberation Sans Bold"), "");
    EXPECT_EQ(fontChanges_.Count(), 1);
    EXPECT_EQ(prompts_.Messages[2].Caption, "Move to trash");
    EXPECT_EQ(prompts_.Messages[2].Text.rfind("1 of 3 fonts could not be moved to the recycle bin; "
                                              "the other 2 were.\n\nDejaVu Sans Bold: ",
                                              0),
              0u)
        << prompts_.Messages[2].Text;
    EXPECT_EQ(ListRows(Fonts()), Rows{"DejaVu Sans Bold"});
}

TEST_F(CommandsTest, KeysMoveTheFocusInReadingOrderAndDriveTheSearchBoxAndThePreview) {
    List("Alpha");
    ClickFont(*form_, 0); // the sample text shows from the first font on
    const HWND sizeBox = Control(*form_, ctl::ComboBox1);
    const HWND sample = Control(*form_, ctl::LbPreview);
    const std::vector<HWND> order = {Folders(), Fonts(), Search(), sizeBox, sample};
    const auto focusIn = [](HWND control) {
        return GetFocus() == control || IsChild(control, GetFocus());
    };
    SetFocus(Folders());
    for (std::size_t step = 1; step <= order.size(); ++step) {
        PressKey(*form_, GetFocus(), VK_TAB);
        EXPECT_TRUE(focusIn(order[step % order.size()])) << "Tab " << step;
    }
    PressKey(*form_, GetFocus(), VK_TAB, {VK_SHIFT});
    EXPECT_TRUE(focusIn(sample)) << "Shift+Tab from the collections list";

    // Ctrl+F from the list, Ctrl+E from the sample text: the caret in the box
    // with its text selected, so that typing replaces the placeholder.
    PressKey(*form_, Fonts(), 'F', {VK_CONTROL});
    EXPECT_EQ(GetFocus(), Search());
    EXPECT_EQ(SendMessageA(Search(), EM_GETSEL, 0, 0), MAKELRESULT(0, 6));
    for (char c : std::string("bold"))
        PostMessageA(Search(), WM_CHAR, static_cast<WPARAM>(c), 1);
    PumpMessages(*form_);
    EXPECT_EQ(nq::WindowText(Search()), "bold");
    EXPECT_EQ(ListRows(Fonts()), (Rows{"DejaVu Sans Bold", "Liberation Sans Bold"}));
    PressKey(*form_, sample, 'E', {VK_CONTROL});
    EXPECT_EQ(GetFocus(), Search());
    PressKey(*form_, Search(), VK_ESCAPE); // empties the box: every font again
    EXPECT_EQ(nq::WindowText(Search()), "");
    EXPECT_FALSE(form_->SearchActive());
    EXPECT_EQ(ListRows(Fonts()).size(), 3u);

    // Enter previews the focused font; Space in the search box is typed, not a switch.
    ClickFont(*form_, 0);
    SendMessageA(Fonts(), LB_SETCARETINDEX, 2, FALSE);
    PressKey(*form_, Fonts(), VK_RETURN);
    EXPECT_EQ(nq::WindowText(Control(*form_, ctl::LblName)), "Liberation Sans Bold");
    PressKey(*form_, Search(), VK_SPACE);
    EXPECT_EQ(FontValue("DejaVu Sans"), "");
    EXPECT_TRUE(prompts_.Messages.empty());
}

TEST_F(CommandsTest, F5ReadsTheCollectionAgainAndKeepsTheSelectionWhereItCan) {
    List("Alpha");
    SelectFont("DejaVu Sans Bold");
    CtrlClickRow(Fonts(), FindRow(Fonts(), "Liberation Sans Bold"));
    // Explorer adds one file and takes another away; another copy switches
    // the collection off.
    CopyHostFont(kDejaVuSerif, Alpha() + "DejaVuSerif.ttf");
    ASSERT_TRUE(DeleteFileA((Alpha() + "DejaVuSans-Bold.ttf").c_str()));
    WriteFileText(Alpha() + "disabled.txt", "");
    PressKey(*form_, Fonts(), VK_F5);
    EXPECT_EQ(ListRows(Fonts()), (Rows{"DejaVu Sans", "DejaVu Serif", "Liberation Sans Bold"}));
    EXPECT_EQ(SelectedRows(), Rows{"Liberation Sans Bold"});
    EXPECT_EQ(SendMessageA(Fonts(), LB_GETCARETINDEX, 0, 0), 2);
    EXPECT_EQ(nq::WindowText(Control(*form_, ctl::LblName)), "Liberation Sans Bold");
    EXPECT_TRUE(form_->CollectionOff());
    EXPECT_EQ(SendMessageA(Folders(), LB_GETITEMDATA, FolderRow("Alpha"), 0), 1);
}

TEST_F(CommandsTest, AltF4ClosesTheProgramFromItsControls) {
    const HWND window = form_->Handle();
    SetFocus(Fonts());
    PostMessageA(Fonts(), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
    PostMessageA(Fonts(), WM_SYSKEYUP, VK_F4, 1 | (1 << 29) | 0xC0000000);
    PumpMessages(*form_);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(CommandsTest, TheFontMenuOffersTheCommandsOfTheSelectionAndEachRunsIt) {
    List("Alpha");
    const int liberation = FindRow(Fonts(), "Liberation Sans Bold");
    ClickFont(*form_, 0);

    // A right click on a row that is not selected selects it alone.
    EXPECT_EQ(Choose(Fonts(), liberation, "Switch &on\tSpace"),
              (Rows{"Switch &on\tSpace", "&Move to/All Fonts", "&Move to/Beta", "-", "&Copy name",
                    "Show in &folder", "-", "Move to &trash\tDel"}));
    EXPECT_EQ(SelectedRows(), Rows{"Liberation Sans Bold"});
    EXPECT_EQ(FontValue("Liberation Sans Bold"), Alpha() + "LiberationSans-Bold.ttf");
    EXPECT_EQ(Choose(Fonts(), liberation, "Show in &folder").front(), "Switch o&ff\tSpace");
    EXPECT_EQ(prompts_.Explored, Rows{"select " + Alpha() + "LiberationSans-Bold.ttf"});

    // On a selected row the selection stays, and the focus goes to the row.
    PressKey(*form_, Fonts(), 'A', {VK_CONTROL});
    const Rows menu = Choose(Fonts(), 0, "&Copy names");
    EXPECT_EQ(menu.front(), "Switch &on\tSpace"); // two of them are off
    EXPECT_NE(std::find(menu.begin(), menu.end(), "&Copy names"), menu.end());
    EXPECT_EQ(ClipboardText(), "DejaVu Sans\r\nDejaVu Sans Bold\r\nLiberation Sans Bold");
    EXPECT_EQ(SelectedRows().size(), 3u);
    EXPECT_EQ(nq::WindowText(Control(*form_, ctl::LblName)), "DejaVu Sans");

    Choose(Fonts(), 1, "&Move to/Beta");
    EXPECT_TRUE(ListRows(Fonts()).empty());
    EXPECT_EQ(FontValue("Liberation Sans Bold"), Beta() + "LiberationSans-Bold.ttf");

    List("Beta");
    PressKey(*form_, Fonts(), 'A', {VK_CONTROL});
    prompts_.Buttons = {IDYES};
    Choose(Fonts(), 0, "Move to &trash\tDel");
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Text, "Are you sure you want move these 3 fonts to the trash?");
    EXPECT_TRUE(ListRows(Fonts()).empty());
    EXPECT_EQ(FontValue("Liberation Sans Bold"), "");
    for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "LiberationSans-Bold.ttf"})
        EXPECT_TRUE(TakeTrashed(Beta() + file)) << file;
}

TEST_F(CommandsTest, TheCollectionMenusOfferWhatTheRowAllowsAndRunTheSameCommands) {
    EXPECT_EQ(Choose(Folders(), 0, "&Open folder"), Rows{"&Open folder"});
    EXPECT_EQ(prompts_.Explored, Rows{"open " + Root()});

    // A right click on a collection makes it the listed one.
    const Rows collectionMenu = {"Switch o&ff\tSpace", "&Rename\tF2", "&Open folder", "-",
                                 "Move to &trash\tDel"};
    EXPECT_EQ(Choose(Folders(), FolderRow("Alpha"), "Switch o&ff\tSpace"), collectionMenu);
    EXPECT_EQ(form_->ListedFolder().value_or(""), Alpha());
    EXPECT_TRUE(Exists(Alpha() + "disabled.txt"));
    EXPECT_EQ(Choose(Folders(), FolderRow("Alpha"), "").front(), "Switch &on\tSpace");

    // Below the last row: a new collection.
    prompts_.Answers = {std::string("Gamma")};
    RECT client{};
    GetClientRect(Folders(), &client);
    prompts_.MenuChoices = {"&New collection"};
    RightClickAt(Folders(), POINT{10, client.bottom - 3});
    EXPECT_EQ(prompts_.Menus.back(), Rows{"&New collection"});
    EXPECT_TRUE(Exists(Root() + "Gamma"));
    EXPECT_NE(FolderRow("Gamma"), -1);

    prompts_.Buttons = {IDYES};
    Choose(Folders(), FolderRow("Beta"), "Move to &trash\tDel");
    EXPECT_FALSE(Exists(Root() + "Beta"));
    EXPECT_TRUE(TakeTrashed(Root() + "Beta"));
    EXPECT_EQ(FolderRow("Beta"), -1);
}

TEST_F(CommandsTest, RenamingACollectionTakesItsFilesItsListAndItsFontsAlongOrChangesNothing) {
    List("Alpha");
    SelectFont("DejaVu Sans");
    PressKey(*form_, Fonts(), VK_SPACE);
    PressKey(*form_, Folders(), VK_SPACE); // off: its list names DejaVu Sans
    SelectFont("Liberation Sans Bold");
    PressKey(*form_, Fonts(), VK_SPACE); // on by hand in a collection that is off
    const std::string list = ReadFileText(Alpha() + "disabled.txt");
    ASSERT_EQ(list, "DejaVu Sans\r\n");

    // The rules of a new collection's name, and a name that is taken (in any
    // letter case), are told; nothing changes, and Cancel changes nothing.
    prompts_.Answers = {std::string("Be/ta"), std::string("beta"), std::nullopt};
    for (int i = 0; i < 3; ++i)
        PressKey(*form_, Fonts(), VK_F2);
    ASSERT_EQ(prompts_.Queries.size(), 3u);
    EXPECT_EQ(prompts_.Queries[0].Caption, "Rename Collection");
    EXPECT_EQ(prompts_.Queries[0].Initial, "Alpha");
    ASSERT_EQ(prompts_.Messages.size(), 2u);
    EXPECT_EQ(prompts_.Messages[0].Text,
              "A collection name cannot contain control characters or any of these characters: "
              "\\ / : * ? \" < > |");
    EXPECT_EQ(prompts_.Messages[1].Text, "A collection or file named \"beta\" already exists.");
    EXPECT_TRUE(Exists(Alpha() + "DejaVuSans.ttf"));

    const std::string gamma = Root() + "Gamma\\";
    const int row = FolderRow("Alpha");
    prompts_.Answers = {std::string("Gamma")};
    fontChanges_.Reset();
    PressKey(*form_, Folders(), VK_F2);
    EXPECT_FALSE(Exists(Root() + "Alpha"));
    for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "LiberationSans-Bold.ttf"})
        EXPECT_TRUE(Exists(gamma + file)) << file;
    EXPECT_EQ(ReadFileText(gamma + "disabled.txt"), list);
    EXPECT_EQ(FontValue("Liberation Sans Bold"), gamma + "LiberationSans-Bold.ttf");
    EXPECT_EQ(FontValue("DejaVu Sans"), "");
    EXPECT_EQ(fontChanges_.Count(), 1);
    EXPECT_EQ(FolderRow("Gamma"), row); // the row keeps its place, flag and selection
    EXPECT_EQ(SendMessageA(Folders(), LB_GETITEMDATA, row, 0), 1);
    EXPECT_GT(SendMessageA(Folders(), LB_GETSEL, row, 0), 0);
    EXPECT_EQ(form_->ListedFolder().value_or(""), gamma);
    EXPECT_TRUE(form_->CollectionOff());
    for (const auto& record : *form_->Fonts())
        EXPECT_EQ(record->Path.rfind(gamma, 0), 0u) << record->Path;
    EXPECT_EQ(prompts_.Messages.size(), 2u);

    // A rename the system refuses (another program holds the folder open)
    // leaves the folder, the registration and the row as they were.
    HANDLE held =
        CreateFileA((Root() + "Gamma").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    prompts_.Answers = {std::string("Delta")};
    Choose(Folders(), row, "&Rename\tF2");
    CloseHandle(held);
    ASSERT_EQ(prompts_.Messages.size(), 3u);
    EXPECT_EQ(prompts_.Messages[2].Text.rfind(
                  "The collection \"Gamma\" could not be renamed to \"Delta\": ", 0),
              0u)
        << prompts_.Messages[2].Text;
    EXPECT_TRUE(Exists(gamma + "disabled.txt"));
    EXPECT_FALSE(Exists(Root() + "Delta"));
    EXPECT_EQ(FontValue("Liberation Sans Bold"), gamma + "LiberationSans-Bold.ttf");
    EXPECT_EQ(FolderRow("Gamma"), row);
}

TEST_F(CommandsTest, JapaneseNamesAreCopiedShownAndRenamedWhole) {
    using fixtures::kJapaneseFileUtf8;
    using fixtures::kMinchoBoldUtf8;
    using fixtures::kMinchoUtf8;
    WriteFileText(Alpha() + "mincho.ttf", fixtures::JapaneseOnlyFont());
    WriteFileText(Alpha() + kJapaneseFileUtf8, fixtures::TrueTypeFont("NQ Kana", "NQ Kana File"));
    List("Alpha");

    SelectFont(kMinchoBoldUtf8);
    Choose(Fonts(), FindRow(Fonts(), kMinchoBoldUtf8), "&Copy name");
    EXPECT_EQ(ClipboardText(), kMinchoBoldUtf8);
    PressKey(*form_, Fonts(), VK_SPACE);
    SelectFont("NQ Kana File");
    PressKey(*form_, Fonts(), VK_SPACE);

    // A collection renamed to a Japanese name takes its fonts' registrations along.
    const std::string renamed = Root() + kMinchoUtf8 + "\\";
    prompts_.Answers = {kMinchoUtf8};
    PressKey(*form_, Folders(), VK_F2);
    EXPECT_TRUE(prompts_.Messages.empty());
    EXPECT_NE(FolderRow(kMinchoUtf8), -1);
    EXPECT_EQ(FontValue(kMinchoBoldUtf8), renamed + "mincho.ttf");
    EXPECT_EQ(FontValue("NQ Kana File"), renamed + kJapaneseFileUtf8);
    Choose(Fonts(), FindRow(Fonts(), "NQ Kana File"), "Show in &folder");
    EXPECT_EQ(prompts_.Explored, Rows{"select " + renamed + kJapaneseFileUtf8});

    // Another letter case of the same name is no name that is taken.
    List("Beta");
    prompts_.Answers = {std::string("BETA")};
    PressKey(*form_, Folders(), VK_F2);
    EXPECT_TRUE(prompts_.Messages.empty());
    EXPECT_NE(FolderRow("BETA"), -1);
    EXPECT_EQ(form_->ListedFolder().value_or(""), Root() + "BETA\\");
    List(kMinchoUtf8);

    // Both off again, so that no value outlives the test.
    SelectFont(kMinchoBoldUtf8);
    PressKey(*form_, Fonts(), VK_SPACE);
    SelectFont("NQ Kana File");
    PressKey(*form_, Fonts(), VK_SPACE);
    EXPECT_EQ(FontValue(kMinchoBoldUtf8), "");
    EXPECT_EQ(FontValue("NQ Kana File"), "");
}

} // namespace
