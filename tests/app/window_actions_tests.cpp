// Switching fonts and collections on and off, adding fonts by the open dialog
// and by dropping files, and moving and trashing rows by dragging them, on the
// real client window: effects are read from the registry, the folders and the
// recycle bin.
#include "window_actions_support.h"

#include "registry.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

namespace {

using namespace actions;

TEST_F(ActionsTest, FontAndCollectionSwitchesFollowTheRegistryAndKeepEveryLineUnderAFilter) {
    List("Alpha");
    SelectFont("DejaVu Sans");
    Click(ctl::Button1);
    EXPECT_EQ(FontValue("DejaVu Sans"), Root() + "Alpha\\DejaVuSans.ttf");
    SelectFont("Liberation Sans Bold");
    Click(ctl::Button1);
    EXPECT_EQ(FontValue("Liberation Sans Bold"), Root() + "Alpha\\LiberationSans-Bold.ttf");

    // Off with a filter that hides one of the two: both lines, in FontList order.
    TypeSearch(*form_, "bold");
    Click(ctl::Button2);
    EXPECT_TRUE(form_->CollectionOff());
    EXPECT_EQ(SendMessageA(Folders(), LB_GETITEMDATA, FolderRow("Alpha"), 0), 1);
    const std::string list = ReadFileText(Root() + "Alpha\\disabled.txt");
    EXPECT_TRUE(list == "DejaVu Sans\r\nLiberation Sans Bold\r\n" ||
                list == "Liberation Sans Bold\r\nDejaVu Sans\r\n")
        << list;
    EXPECT_EQ(FontValue("DejaVu Sans"), "");
    EXPECT_EQ(FontValue("Liberation Sans Bold"), "");

    // On again with the filter still hiding "DejaVu Sans": no line is lost.
    Click(ctl::Button2);
    EXPECT_FALSE(form_->CollectionOff());
    EXPECT_FALSE(Exists(Root() + "Alpha\\disabled.txt"));
    EXPECT_EQ(FontValue("DejaVu Sans"), Root() + "Alpha\\DejaVuSans.ttf");
    EXPECT_EQ(FontValue("Liberation Sans Bold"), Root() + "Alpha\\LiberationSans-Bold.ttf");
    EXPECT_EQ(FontValue("DejaVu Sans Bold"), "");
    for (const auto& record : *form_->Fonts())
        EXPECT_EQ(record->Installed, record->Name != "DejaVu Sans Bold") << record->Name;

    // "All Fonts" is no collection to switch.
    ClickFolder(*form_, 0);
    Click(ctl::Button2);
    EXPECT_FALSE(Exists(Root() + "disabled.txt"));
    EXPECT_TRUE(prompts_.Messages.empty());
}

TEST_F(ActionsTest, TheHostsRegistrationOfTheSameNameIsNeverTakenAway) {
    const std::string host = saved_["DejaVu Sans Bold"];
    ASSERT_FALSE(host.empty()) << "the prefix does not register the host's DejaVu fonts";
    SetFontValue(HKEY_LOCAL_MACHINE, "DejaVu Sans Bold", host);
    const std::string refusal = "'DejaVu Sans Bold' is already registered for " + host + ".";
    List("Alpha");
    SelectFont("DejaVu Sans Bold");
    Click(ctl::Button1);
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Text, refusal);
    EXPECT_EQ(FontValue("DejaVu Sans Bold"), host);

    // In a collection switch-on it is a failed line: the lines before it are
    // on, the collection stays off with its whole list.
    SelectFont("DejaVu Sans");
    Click(ctl::Button1);
    Click(ctl::Button2);
    ASSERT_TRUE(form_->CollectionOff());
    const std::string list = "DejaVu Sans\r\nDejaVu Sans Bold\r\nLiberation Sans Bold\r\n";
    WriteFileText(Root() + "Alpha\\disabled.txt", list);
    prompts_.Messages.clear();
    Click(ctl::Button2);
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Text, refusal);
    EXPECT_TRUE(form_->CollectionOff());
    EXPECT_EQ(ReadFileText(Root() + "Alpha\\disabled.txt"), list);
    EXPECT_EQ(FontValue("DejaVu Sans"), Root() + "Alpha\\DejaVuSans.ttf");
    EXPECT_EQ(FontValue("DejaVu Sans Bold"), host);
    EXPECT_EQ(FontValue("Liberation Sans Bold"), "");

    // Trashing the collection takes only its own registration away.
    prompts_.Buttons = {IDYES};
    const std::string name = "Alpha";
    DragRow(Folders(), FolderRow(name), OnToolbar(5));
    EXPECT_TRUE(TakeFromTrash(name));
    EXPECT_EQ(FontValue("DejaVu Sans"), "");
    EXPECT_EQ(FontValue("DejaVu Sans Bold"), host);
}

TEST_F(ActionsTest, AddingCopiesIntoTheListedCollectionAndTellsWhatWasRefused) {
    List("Beta");
    prompts_.Files = {std::nullopt, std::string(kDejaVuSerif), std::string(kDejaVuSerif)};
    form_->AddFontByDialog(); // cancelled
    form_->AddFontByDialog();
    const std::string filter = "Font Files (*.fon, *.ttf, *.otf, *.ttc, *.otc)|"
                               "*.fon;*.ttf;*.otf;*.ttc;*.otc";
    EXPECT_EQ(prompts_.OpenFilters, (Rows{filter, filter}));
    EXPECT_TRUE(Exists(Root() + "Beta\\DejaVuSerif.ttf"));
    EXPECT_EQ(ListRows(Fonts()), Rows{"DejaVu Serif"});
    form_->AddFontByDialog(); // the same file again
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Caption, "Add Font");
    EXPECT_EQ(prompts_.Messages[0].Text,
              "Font not copied to this collection, because it's already in the collection.");
    EXPECT_EQ(prompts_.Messages[0].Type, static_cast<UINT>(MB_OK | MB_ICONWARNING));

    // Three dropped files, the second no font: two rows and one error box; a
    // path of 300 characters is refused with the warning, and nothing breaks.
    prompts_.Messages.clear();
    WriteFileText(program_.Path() + "notes.ttf", "no font inside");
    const std::string longPath = "C:\\" + std::string(296, 'x') + ".ttf";
    DropFiles(Fonts(), {kDejaVuSans, program_.Path() + "notes.ttf", kLiberationSansBold, longPath});
    EXPECT_EQ(ListRows(Fonts()), (Rows{"DejaVu Sans", "DejaVu Serif", "Liberation Sans Bold"}));
    EXPECT_EQ(form_->Fonts()->size(), 3u);
    ASSERT_EQ(prompts_.Messages.size(), 2u);
    EXPECT_EQ(prompts_.Messages[0].Text, "This does not seems to be a valid font.");
    EXPECT_EQ(prompts_.Messages[0].Type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(prompts_.Messages[1].Caption, "Add Font");
    EXPECT_TRUE(Exists(Root() + "Beta\\notes.ttf")); // the copy stays
}

TEST_F(ActionsTest, DraggedRowsMoveToACollectionOrGoToTheTrashAndLeaveFontList) {
    List("Alpha");
    SelectFont("DejaVu Sans");
    Click(ctl::Button1); // switched on: it must stay on at its new place

    // Onto its own collection: nothing moves, and the user is told why.
    DragRow(Fonts(), FindRow(Fonts(), "DejaVu Sans"), OnFolderRow("Alpha"));
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_EQ(prompts_.Messages[0].Caption, "Move font");
    EXPECT_TRUE(Exists(Root() + "Alpha\\DejaVuSans.ttf"));

    DragRow(Fonts(), FindRow(Fonts(), "DejaVu Sans"), OnFolderRow("Beta"));
    EXPECT_FALSE(Exists(Root() + "Alpha\\DejaVuSans.ttf"));
    EXPECT_TRUE(Exists(Root() + "Beta\\DejaVuSans.ttf"));
    EXPECT_EQ(FontValue("DejaVu Sans"), Root() + "Beta\\DejaVuSans.ttf");
    EXPECT_EQ(ListRows(Fonts()), (Rows{"DejaVu Sans Bold", "Liberation Sans Bold"}));
    TypeSearch(*form_, "dejavu"); // the moved record does not come back
    EXPECT_EQ(ListRows(Fonts()), Rows{"DejaVu Sans Bold"});
    TypeSearch(*form_, "");

    // Onto a collection that already holds a file of that name: no overwrite.
    CopyHostFont(kDejaVuSerif, Root() + "Beta\\DejaVuSans-Bold.ttf");
    prompts_.Messages.clear();
    DragRow(Fonts(), FindRow(Fonts(), "DejaVu Sans Bold"), OnFolderRow("Beta"));
    ASSERT_EQ(prompts_.Messages.size(), 1u);
    EXPECT_TRUE(Exists(Root() + "Alpha\\DejaVuSans-Bold.ttf"));
    EXPECT_EQ(FindRow(Fonts(), "DejaVu Sans Bold"), 0);

    // The trash area: No keeps everything, Yes sends the file to the bin; a
    // drop beyond the area is refused.
    prompts_.Messages.clear();
    prompts_.Buttons = {IDNO, IDYES};
    DragRow(Fonts(), FindRow(Fonts(), "Liberation Sans Bold"), OnToolbar(5));
    EXPECT_TRUE(Exists(Root() + "Alpha\\LiberationSans-Bold.ttf"));
    DragRow(Fonts(), FindRow(Fonts(), "Liberation Sans Bold"), OnToolbar(5));
    EXPECT_FALSE(Exists(Root() + "Alpha\\LiberationSans-Bold.ttf"));
    EXPECT_TRUE(TakeFromTrash("LiberationSans-Bold"));
    ASSERT_EQ(prompts_.Messages.size(), 2u);
    EXPECT_EQ(prompts_.Messages[1].Text,
              "Are you sure you want move the font Liberation Sans Bold to the trash?");
    EXPECT_EQ(prompts_.Messages[1].Type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(ListRows(Fonts()), Rows{"DejaVu Sans Bold"});
    DragRow(Fonts(), 0, OnToolbar(40));
    EXPECT_EQ(prompts_.Messages.size(), 2u);

    // A whole collection: its registered fonts are switched off first.
    List("Beta");
    prompts_.Buttons = {IDYES};
    DragRow(Folders(), FolderRow("Beta"), OnToolbar(5));
    EXPECT_FALSE(Exists(Root() + "Beta"));
    EXPECT_TRUE(TakeFromTrash("Beta"));
    EXPECT_EQ(FolderRow("Beta"), -1);
    EXPECT_TRUE(ListRows(Fonts()).empty());
    EXPECT_EQ(FontValue("DejaVu Sans"), "");
}

TEST_F(ActionsTest, ACollectionRowMadeCurrentByDragOrKeysIsTheOneListedSwitchedAndAddedTo) {
    FreeFontValues();
    const std::string alpha = Root() + "Alpha\\";
    const Rows alphaFonts = {"DejaVu Sans", "DejaVu Sans Bold", "Liberation Sans Bold"};
    const Rows offList = {"DejaVu Sans", "Liberation Sans Bold"};
    WriteFileText(alpha + "disabled.txt", "DejaVu Sans\r\nLiberation Sans Bold\r\n");
    Close(form_);
    form_ = Open(true);
    const int alphaRow = FolderRow("Alpha");
    for (const RowMove& move : RowMoves()) {
        SCOPED_TRACE(move.How);
        ClickRow(Folders(), FolderRow("Beta")); // on, and listed
        ASSERT_EQ(form_->ListedFolder().value_or(""), Root() + "Beta\\");
        ASSERT_FALSE(form_->CollectionOff());
        move.Make(Folders(), alphaRow);
        WaitForListing(*form_);

        // The highlighted row is the listed collection, with its state.
        EXPECT_EQ(SendMessageA(Folders(), LB_GETCARETINDEX, 0, 0), alphaRow);
        EXPECT_GT(SendMessageA(Folders(), LB_GETSEL, alphaRow, 0), 0);
        EXPECT_EQ(form_->ListedFolder().value_or(""), alpha);
        EXPECT_TRUE(form_->CollectionOff());
        EXPECT_EQ(SendMessageA(Folders(), LB_GETITEMDATA, alphaRow, 0), 1);
        EXPECT_EQ(ListRows(Fonts()), alphaFonts);

        // The fonts bar's "+" copies into it.
        prompts_.Files = {std::string(kDejaVuSerif)};
        form_->AddFontByDialog();
        EXPECT_TRUE(DeleteFileA((alpha + "DejaVuSerif.ttf").c_str()));
        EXPECT_FALSE(Exists(Root() + "Beta\\DejaVuSerif.ttf"));

        // On/off switches it on from its list, and off again to the same list.
        Click(ctl::Button2);
        EXPECT_FALSE(Exists(alpha + "disabled.txt"));
        EXPECT_EQ(FontValue("DejaVu Sans"), alpha + "DejaVuSans.ttf");
        EXPECT_EQ(FontValue("Liberation Sans Bold"), alpha + "LiberationSans-Bold.ttf");
        Click(ctl::Button2);
        Rows written = IniLines(alpha + "disabled.txt");
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, offList);
        EXPECT_EQ(FontValue("DejaVu Sans"), "");
    }
}

TEST_F(ActionsTest, AFontRowMadeCurrentByDragOrKeysIsTheOneShownAndSwitched) {
    FreeFontValues();
    const std::string onPath = Root() + "Alpha\\LiberationSans-Bold.ttf";
    List("Alpha");
    const int off = FindRow(Fonts(), "DejaVu Sans");
    const int on = FindRow(Fonts(), "Liberation Sans Bold");
    ClickRow(Fonts(), on);
    Click(ctl::Button1);
    ASSERT_EQ(FontValue("Liberation Sans Bold"), onPath);
    for (const RowMove& move : RowMoves()) {
        SCOPED_TRACE(move.How);
        ClickRow(Fonts(), off);
        ASSERT_EQ(nq::WindowText(Control(*form_, ctl::LblName)), "DejaVu Sans");
        move.Make(Fonts(), on);

        // The highlighted row is the font the preview and the bar describe...
        EXPECT_EQ(SendMessageA(Fonts(), LB_GETCARETINDEX, 0, 0), on);
        EXPECT_EQ(SendMessageA(Fonts(), LB_GETSELCOUNT, 0, 0), 1);
        EXPECT_EQ(nq::WindowText(Control(*form_, ctl::LblName)), "Liberation Sans Bold");
        EXPECT_EQ(form_->PreviewIndex(), on);
        // ...and the one the on/off button switches: off, then on again.
        Click(ctl::Button1);
        EXPECT_EQ(FontValue("Liberation Sans Bold"), "");
        EXPECT_EQ(FontValue("DejaVu Sans"), "");
        Click(ctl::Button1);
        EXPECT_EQ(FontValue("Liberation Sans Bold"), onPath);
    }
}

// An on/off click that answers a view which fell behind the truth (the folder
// switched meanwhile, or a row made current without its notification) brings
// the view up to date and switches nothing: the bar had offered another switch.
TEST_F(ActionsTest, AnOnOffClickOnAViewThatFellBehindShowsTheTruthAndSwitchesNothing) {
    FreeFontValues();
    const std::string alphaList = Root() + "Alpha\\disabled.txt";
    List("Alpha");
    ASSERT_FALSE(form_->CollectionOff());
    WriteFileText(alphaList, "DejaVu Sans\r\n"); // switched off by another copy
    Click(ctl::Button2);
    EXPECT_EQ(ReadFileText(alphaList), "DejaVu Sans\r\n");
    EXPECT_TRUE(form_->CollectionOff());
    EXPECT_EQ(SendMessageA(Folders(), LB_GETITEMDATA, FolderRow("Alpha"), 0), 1);

    List("Beta");
    SendMessageA(Folders(), LB_SETSEL, FALSE, -1);
    SendMessageA(Folders(), LB_SETSEL, TRUE, FolderRow("Alpha"));
    SendMessageA(Folders(), LB_SETCARETINDEX, FolderRow("Alpha"), FALSE);
    Click(ctl::Button2);
    EXPECT_EQ(form_->ListedFolder().value_or(""), Root() + "Alpha\\");
    EXPECT_TRUE(form_->CollectionOff());
    EXPECT_EQ(ReadFileText(alphaList), "DejaVu Sans\r\n");
    EXPECT_EQ(FontValue("DejaVu Sans"), "");
    WaitForListing(*form_); // the rows of the collection now shown

    SelectFont("DejaVu Sans");
    const int liberation = FindRow(Fonts(), "Liberation Sans Bold");
    SendMessageA(Fonts(), LB_SETSEL, FALSE, -1);
    SendMessageA(Fonts(), LB_SETSEL, TRUE, liberation);
    SendMessageA(Fonts(), LB_SETCARETINDEX, liberation, FALSE);
    Click(ctl::Button1);
    EXPECT_EQ(nq::WindowText(Control(*form_, ctl::LblName)), "Liberation Sans Bold");
    EXPECT_EQ(FontValue("Liberation Sans Bold"), "");
    Click(ctl::Button1); // now it is the font shown
    EXPECT_EQ(FontValue("Liberation Sans Bold"), Root() + "Alpha\\LiberationSans-Bold.ttf");
}

} // namespace
