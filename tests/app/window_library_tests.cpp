// The collections list, the fonts list with its records, the search box and
// the New collection action of the client window.
#include "window_test_support.h"

#include "control_ids.h"

#include <algorithm>

namespace {

using Rows = std::vector<std::string>;

// A fonts root holding fonts directly and in collections.
class CatalogueTest : public WindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA((Root() + "Alpha").c_str(), nullptr));
        CopyHostFont(kDejaVuSans, Root() + "Alpha\\DejaVuSans.ttf");
        CopyHostFont(kDejaVuSansBold, Root() + "Alpha\\second.TTF");
        CopyHostFont(kLiberationSansBold, Root() + "Alpha\\LiberationSans-Bold.ttf");
        WriteFileText(Root() + "Alpha\\readme.txt", "not a font");
        CopyHostFont(kDejaVuSans, Root() + "Alpha\\copy.pfb");
        WriteFileText(Root() + "Alpha\\broken.ttf", "no font inside");

        ASSERT_TRUE(CreateDirectoryA((Root() + "Beta").c_str(), nullptr));
        CopyHostFont(kDejaVuSerif, Root() + "Beta\\DejaVuSerif.ttf");
        WriteFileText(Root() + "Beta\\disabled.txt", "");

        ASSERT_TRUE(CreateDirectoryA((Root() + "Hidden").c_str(), nullptr));
        SetFileAttributesA((Root() + "Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        WriteFileText(Root() + "notes.txt", "a plain file is no collection");
        CopyHostFont(kDejaVuSerif, Root() + "root-serif.ttf");
    }

    int RowOf(TfrmMiddle& form, const std::string& collection) {
        return FindRow(Control(form, ctl::LbFolders), collection);
    }
    static Rows FontRows(TfrmMiddle& form) { return ListRows(Control(form, ctl::LbFonts)); }
};

const Rows kAlphaFonts = {"DejaVu Sans", "DejaVu Sans Bold", "Liberation Sans Bold"};

TEST_F(CatalogueTest, CollectionsListShowsAllFontsThenVisibleFoldersWithTheirOffFlags) {
    auto form = Open();
    HWND list = Control(*form, ctl::LbFolders);
    Rows rows = ListRows(list);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "All Fonts");
    std::sort(rows.begin() + 1, rows.end());
    EXPECT_EQ(rows, (Rows{"All Fonts", "Alpha", "Beta"}));
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, RowOf(*form, "Alpha"), 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, RowOf(*form, "Beta"), 0), 1);
    // Nothing is listed until a collection is picked.
    EXPECT_TRUE(FontRows(*form).empty());
    EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 0);
    Close(form);
}

TEST_F(CatalogueTest, EmptyFontsRootListsOnlyAllFonts) {
    RemoveTree(Root() + "Alpha");
    RemoveTree(Root() + "Beta");
    RemoveTree(Root() + "Hidden");
    auto form = Open();
    EXPECT_EQ(ListRows(Control(*form, ctl::LbFolders)), Rows{"All Fonts"});
    Close(form);
}

TEST_F(CatalogueTest, ClickingACollectionListsItsTrueTypeFilesWithTheirRecords) {
    auto form = Open();
    ClickFolder(*form, RowOf(*form, "Alpha"));
    EXPECT_FALSE(form->CollectionOff());
    EXPECT_EQ(FontRows(*form), kAlphaFonts);

    // Every record of the folder, in the order of the folder, each row
    // carrying its own record.
    ASSERT_NE(form->Fonts(), nullptr);
    ASSERT_EQ(form->Fonts()->size(), 3u);
    HWND fonts = Control(*form, ctl::LbFonts);
    for (int row = 0; row < 3; ++row) {
        const auto* record =
            reinterpret_cast<const FontDescr*>(SendMessageA(fonts, LB_GETITEMDATA, row, 0));
        const auto owned = std::find_if(form->Fonts()->begin(), form->Fonts()->end(),
                                        [&](const auto& r) { return r.get() == record; });
        ASSERT_NE(owned, form->Fonts()->end());
        EXPECT_EQ(record->Name, nq::ListBox(fonts).Text(row));
        EXPECT_FALSE(record->Installed);
    }
    const auto* bold = reinterpret_cast<const FontDescr*>(
        SendMessageA(fonts, LB_GETITEMDATA, FindRow(fonts, "DejaVu Sans Bold"), 0));
    EXPECT_EQ(bold->Path, Root() + "Alpha\\second.TTF");
    EXPECT_EQ(bold->Family, "DejaVu Sans");
    EXPECT_NE(bold->Copyright.find("Bitstream"), std::string::npos);
    Close(form);
}

// Sets one value of the prefix's font registry for the test and puts back what
// was there before.
class RegisteredFont {
  public:
    RegisteredFont(const std::string& value, const std::string& data) : value_(value) {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
        char old[1024] = {};
        DWORD size = sizeof old - 1;
        DWORD type = 0;
        had_ = RegQueryValueExA(key_, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(old),
                                &size) == ERROR_SUCCESS &&
               type == REG_SZ;
        old_ = old;
        RegSetValueExA(key_, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    }
    RegisteredFont(const RegisteredFont&) = delete;
    RegisteredFont& operator=(const RegisteredFont&) = delete;
    ~RegisteredFont() {
        if (had_)
            RegSetValueExA(key_, value_.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(old_.c_str()),
                           static_cast<DWORD>(old_.size() + 1));
        else
            RegDeleteValueA(key_, value_.c_str());
        RegCloseKey(key_);
    }

  private:
    static constexpr const char* kFontsKey =
        "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
    std::string value_;
    HKEY key_ = nullptr;
    bool had_ = false;
    std::string old_;
};

TEST_F(CatalogueTest, RecordsTellWhichFontsTheRegistryHasWithExactlyTheirFile) {
    const RegisteredFont sans("DejaVu Sans (TrueType)", Root() + "Alpha\\DejaVuSans.ttf");
    // Registered with another file: the copy in this collection is not the one.
    const RegisteredFont bold("DejaVu Sans Bold (TrueType)", Root() + "elsewhere.ttf");
    auto form = Open();
    ClickFolder(*form, RowOf(*form, "Alpha"));
    HWND fonts = Control(*form, ctl::LbFonts);
    const auto recordAt = [&](const char* name) {
        return reinterpret_cast<const FontDescr*>(
            SendMessageA(fonts, LB_GETITEMDATA, FindRow(fonts, name), 0));
    };
    EXPECT_TRUE(recordAt("DejaVu Sans")->Installed);
    EXPECT_FALSE(recordAt("DejaVu Sans Bold")->Installed);
    EXPECT_FALSE(recordAt("Liberation Sans Bold")->Installed);
    Close(form);
}

TEST_F(CatalogueTest, SwitchedOffCollectionSetsCollectionOffAndAllFontsKeepsIt) {
    auto form = Open();
    ClickFolder(*form, RowOf(*form, "Beta"));
    EXPECT_TRUE(form->CollectionOff());
    EXPECT_EQ(FontRows(*form), Rows{"DejaVu Serif"});

    // "All Fonts" lists the files of the root only, and leaves the flag alone.
    ClickFolder(*form, 0);
    EXPECT_TRUE(form->CollectionOff());
    EXPECT_EQ(FontRows(*form), Rows{"DejaVu Serif"});
    ASSERT_EQ(form->Fonts()->size(), 1u);
    EXPECT_EQ(form->Fonts()->front()->Path, Root() + "root-serif.ttf");

    ClickFolder(*form, RowOf(*form, "Alpha"));
    EXPECT_FALSE(form->CollectionOff());
    Close(form);
}

TEST_F(CatalogueTest, TheRowHoldingTheFocusCountsWhenSeveralAreHighlighted) {
    auto form = Open();
    HWND list = Control(*form, ctl::LbFolders);
    SendMessageA(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 2));
    SendMessageA(list, LB_SETCARETINDEX, RowOf(*form, "Alpha"), FALSE);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(ctl::LbFolders, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    WaitForListing(*form);
    EXPECT_EQ(FontRows(*form), kAlphaFonts);
    Close(form);
}

TEST_F(CatalogueTest, SearchBoxFollowsItsStateTable) {
    WriteFileText(IniPath(), "[Other]\r\nSearch=Search\r\n");
    auto form = Open(true);
    HWND edit = Control(*form, ctl::EditSearch);
    ClickFolder(*form, RowOf(*form, "Alpha"));
    EXPECT_EQ(FontRows(*form), kAlphaFonts); // the placeholder filters nothing

    // Entering the box by keyboard keeps the placeholder; a click empties it.
    SetFocus(edit);
    EXPECT_EQ(nq::WindowText(edit), "Search");
    ClickSearchBox(*form);
    EXPECT_EQ(nq::WindowText(edit), "");
    EXPECT_FALSE(form->SearchActive());

    // Typing makes a filter from its first letter on; A to Z ignore case.
    TypeSearch(*form, "b");
    EXPECT_TRUE(form->SearchActive());
    EXPECT_EQ(FontRows(*form), (Rows{"DejaVu Sans Bold", "Liberation Sans Bold"}));
    TypeSearch(*form, "BOLD");
    EXPECT_EQ(FontRows(*form), (Rows{"DejaVu Sans Bold", "Liberation Sans Bold"}));
    TypeSearch(*form, "dejavu sans b");
    EXPECT_EQ(FontRows(*form), Rows{"DejaVu Sans Bold"});

    // A filter survives a click and the loss of the focus.
    ClickSearchBox(*form);
    SetFocus(Control(*form, ctl::LbFonts));
    EXPECT_EQ(nq::WindowText(edit), "dejavu sans b");
    EXPECT_TRUE(form->SearchActive());
    EXPECT_EQ(FontRows(*form), Rows{"DejaVu Sans Bold"});

    // Emptied by keyboard: every font, still active until the focus leaves.
    SetFocus(edit);
    TypeSearch(*form, "");
    EXPECT_TRUE(form->SearchActive());
    EXPECT_EQ(FontRows(*form), kAlphaFonts);
    SetFocus(Control(*form, ctl::LbFonts));
    EXPECT_FALSE(form->SearchActive());
    EXPECT_FALSE(form->SearchResetting());
    EXPECT_EQ(nq::WindowText(edit), "Search");
    EXPECT_EQ(FontRows(*form), kAlphaFonts);

    // "Search" typed by the user is a filter like any other text.
    SetFocus(edit);
    ClickSearchBox(*form);
    TypeSearch(*form, "Search");
    EXPECT_TRUE(form->SearchActive());
    EXPECT_TRUE(FontRows(*form).empty());
    ClickSearchBox(*form);
    EXPECT_EQ(nq::WindowText(edit), "Search");

    // A listing applies the filter in force.
    TypeSearch(*form, "liberation");
    ClickFolder(*form, RowOf(*form, "Alpha"));
    EXPECT_EQ(FontRows(*form), Rows{"Liberation Sans Bold"});
    EXPECT_EQ(form->Fonts()->size(), 3u); // the records of every font stay
    Close(form);
    const std::vector<std::string> lines = IniLines(IniPath());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Search=liberation"), lines.end());
}

TEST_F(CatalogueTest, SelectingAFontShowsTheSampleTextAndTheSizeBoxSetsItsSize) {
    auto form = Open(true);
    ClickFolder(*form, RowOf(*form, "Alpha"));
    ClickFont(*form, 1);
    EXPECT_TRUE(IsWindowVisible(Control(*form, ctl::LbPreview)));
    EXPECT_EQ(form->PreviewIndex(), 1); // loaded privately: not "All Fonts"

    HWND sizes = Control(*form, ctl::ComboBox1);
    SetWindowTextA(sizes, "144");
    SendMessageA(GetParent(sizes), WM_COMMAND, MAKEWPARAM(ctl::ComboBox1, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(sizes));
    EXPECT_EQ(form->PreviewSize(), 144);
    SetWindowTextA(sizes, "big");
    SendMessageA(GetParent(sizes), WM_COMMAND, MAKEWPARAM(ctl::ComboBox1, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(sizes));
    EXPECT_EQ(form->PreviewSize(), 144);
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Text, "'big' is not a valid integer value");

    ClickFolder(*form, 0);
    ClickFont(*form, 0);
    EXPECT_EQ(form->PreviewIndex(), -1); // "All Fonts" is installed: nothing loaded
    Close(form);
    const std::vector<std::string> lines = IniLines(IniPath());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Size=144"), lines.end());
}

TEST_F(CatalogueTest, NewCollectionAsksForANameAndAppendsOnlyWhatWasCreated) {
    auto form = Open();
    HWND list = Control(*form, ctl::LbFolders);
    const Rows before = ListRows(list);

    // Cancel: nothing.
    prompts_.Answers.push_back(std::nullopt);
    form->NewCollection();
    ASSERT_EQ(prompts_.Queries.size(), 1u);
    EXPECT_EQ(prompts_.Queries[0].Caption, "New Collection");
    EXPECT_EQ(prompts_.Queries[0].Prompt, "Enter the name of the new Collection");
    EXPECT_EQ(prompts_.Queries[0].Initial, "New Collection");
    EXPECT_TRUE(prompts_.Messages.empty());
    EXPECT_EQ(ListRows(list), before);

    // Names that cannot become a folder of their own under the root are told
    // and create nothing, inside the root or outside it.
    TempFolder outside("outside");
    for (const std::string& bad :
         {std::string(""), std::string("   "), std::string("a/b"), std::string("..\\escape"),
          std::string("Alpha"), std::string("CON"), std::string("dot."), outside.Path() + "abs",
          std::string(300, 'x')}) {
        prompts_.Messages.clear();
        prompts_.Answers.push_back(bad);
        form->NewCollection();
        ASSERT_EQ(prompts_.Messages.size(), 1u) << bad;
        EXPECT_EQ(prompts_.Messages[0].Caption, "New Collection");
        EXPECT_FALSE(prompts_.Messages[0].Text.empty());
        EXPECT_EQ(prompts_.Messages[0].Type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        EXPECT_EQ(ListRows(list), before) << bad;
    }
    EXPECT_FALSE(Exists(Root() + "..\\escape"));
    EXPECT_FALSE(Exists(outside.Path() + "abs"));
    EXPECT_FALSE(Exists(Root() + "a"));

    // A sound name: its folder and a row at the end, not selected.
    prompts_.Messages.clear();
    prompts_.Answers.push_back(std::string("Fresh Fonts"));
    form->NewCollection();
    EXPECT_TRUE(prompts_.Messages.empty());
    const DWORD attributes = GetFileAttributesA((Root() + "Fresh Fonts").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    Rows expected = before;
    expected.push_back("Fresh Fonts");
    EXPECT_EQ(ListRows(list), expected);
    const int last = static_cast<int>(expected.size()) - 1;
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, last, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETSEL, last, 0), 0);
    Close(form);
}

} // namespace

namespace {

// The rows in the order a sorted list box gives the same texts.
std::vector<std::string> SortedAsAListBoxWould(const std::vector<std::string>& rows) {
    HWND sorted = CreateWindowExA(0, "LISTBOX", "", LBS_SORT | LBS_HASSTRINGS, 0, 0, 10, 10,
                                  nullptr, nullptr, nullptr, nullptr);
    for (const std::string& row : rows)
        SendMessageA(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    std::vector<std::string> result = ListRows(sorted);
    DestroyWindow(sorted);
    return result;
}

TEST_F(CatalogueTest, RowsStandInTheOrderOfASortedListAlsoAfterAdding) {
    CopyHostFont(kDejaVuSerif, Root() + "Alpha\\DejaVuSerif.ttf");
    CopyHostFont(kDejaVuSansBold, Root() + "Alpha\\again-bold.ttf"); // a second of one name
    auto form = Open();
    ClickFolder(*form, RowOf(*form, "Alpha"));
    HWND fonts = Control(*form, ctl::LbFonts);
    EXPECT_EQ(ListRows(fonts), SortedAsAListBoxWould(ListRows(fonts)));
    EXPECT_EQ(ListRows(fonts).size(), form->Fonts()->size());
    prompts_.Files = {std::string(kLiberationSansBold)}; // "liberation..." sorts in, not at the end
    DeleteFileA((Root() + "Alpha\\LiberationSans-Bold.ttf").c_str());
    form->AddFontByDialog();
    EXPECT_EQ(ListRows(fonts), SortedAsAListBoxWould(ListRows(fonts)));
    Close(form);
}

} // namespace
