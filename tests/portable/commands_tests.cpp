#include "batch_report.h"
#include "context_menus.h"
#include "key_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using nq::Command;
using nq::KeyPlace;

constexpr unsigned kTab = 0x09, kReturn = 0x0D, kEscape = 0x1B, kSpace = 0x20, kDelete = 0x2E,
                   kF2 = 0x71, kF4 = 0x73, kF5 = 0x74, kDown = 0x28;

struct KeyCase {
    const char* What;
    nq::KeyStroke Key;
    KeyPlace Place;
    Command Expected;
};

std::vector<std::string> Texts(const std::vector<nq::menus::Item>& menu) {
    std::vector<std::string> texts;
    for (const nq::menus::Item& item : menu) {
        if (item.Submenu.empty())
            texts.push_back(item.Runs == Command::None ? "-" : item.Text);
        for (const nq::menus::Item& sub : item.Submenu)
            texts.push_back(item.Text + "/" + sub.Text);
    }
    return texts;
}

} // namespace

TEST(KeyCommands, EachKeyRunsItsCommandOnlyWhereTheFocusGivesItOne) {
    const KeyCase cases[] = {
        {"Space in the fonts list", {kSpace}, KeyPlace::Fonts, Command::SwitchFonts},
        {"Space in the collections list", {kSpace}, KeyPlace::Folders, Command::SwitchCollection},
        {"Space while typing", {kSpace}, KeyPlace::Search, Command::None},
        {"Space in the sample text", {kSpace}, KeyPlace::Other, Command::None},
        {"Shift+Space stays the list's", {kSpace, false, true}, KeyPlace::Fonts, Command::None},
        {"Delete in the fonts list", {kDelete}, KeyPlace::Fonts, Command::TrashFonts},
        {"Delete in the collections list", {kDelete}, KeyPlace::Folders, Command::TrashCollection},
        {"Delete while typing", {kDelete}, KeyPlace::Search, Command::None},
        {"F5 anywhere", {kF5}, KeyPlace::Search, Command::RefreshCollection},
        {"F2 anywhere", {kF2}, KeyPlace::Fonts, Command::RenameCollection},
        {"Ctrl+F", {'F', true}, KeyPlace::Other, Command::FocusSearch},
        {"Ctrl+E", {'E', true}, KeyPlace::Folders, Command::FocusSearch},
        {"Ctrl+A in the fonts list", {'A', true}, KeyPlace::Fonts, Command::SelectAllFonts},
        {"Ctrl+A while typing selects text", {'A', true}, KeyPlace::Search, Command::None},
        {"Ctrl+Shift+F", {'F', true, true}, KeyPlace::Fonts, Command::None},
        {"Enter on a font", {kReturn}, KeyPlace::Fonts, Command::PreviewFont},
        {"Enter in the sample text is a new line", {kReturn}, KeyPlace::Other, Command::None},
        {"Escape in the search box", {kEscape}, KeyPlace::Search, Command::ClearSearch},
        {"Escape in a list", {kEscape}, KeyPlace::Fonts, Command::None},
        {"Tab", {kTab}, KeyPlace::Other, Command::NextControl},
        {"Shift+Tab", {kTab, false, true}, KeyPlace::Fonts, Command::PreviousControl},
        {"Ctrl+Tab is a tab in the sample text", {kTab, true}, KeyPlace::Other, Command::None},
        {"Alt+F4 belongs to the window system",
         {kF4, false, false, true},
         KeyPlace::Fonts,
         Command::None},
        {"Alt+Space too", {kSpace, false, false, true}, KeyPlace::Fonts, Command::None},
        {"arrows are the list's", {kDown}, KeyPlace::Fonts, Command::None},
        {"letters are typed", {'F'}, KeyPlace::Search, Command::None},
    };
    for (const KeyCase& c : cases)
        EXPECT_EQ(nq::KeyCommand(c.Key, c.Place), c.Expected) << c.What;
}

TEST(ContextMenus, FontRowsOfferTheSwitchTheSelectionNeedsAndEveryOtherCollection) {
    const std::vector<nq::menus::MoveTarget> targets = {{0, "All Fonts"}, {2, "Serif & Sans"}};
    const std::vector<nq::menus::Item> one = nq::menus::FontRowsMenu(1, true, targets);
    EXPECT_EQ(Texts(one), (std::vector<std::string>{
                              "Switch &on\tSpace", "&Move to/All Fonts", "&Move to/Serif && Sans",
                              "-", "&Copy name", "Show in &folder", "-", "Move to &trash\tDel"}));
    // The submenu's items move into their own rows.
    const std::vector<const nq::menus::Item*> commands = nq::menus::Commands(one);
    ASSERT_EQ(commands.size(), 6u);
    EXPECT_EQ(commands[1]->Runs, Command::MoveFonts);
    EXPECT_EQ(commands[2]->Argument, 2);

    const std::vector<nq::menus::Item> several = nq::menus::FontRowsMenu(12, false, {});
    EXPECT_EQ(Texts(several),
              (std::vector<std::string>{"Switch o&ff\tSpace", "-", "&Copy names", "Show in &folder",
                                        "-", "Move to &trash\tDel"}));
}

TEST(ContextMenus, CollectionRowsOfferWhatTheRowAllows) {
    EXPECT_EQ(Texts(nq::menus::CollectionRowMenu(0, false)),
              std::vector<std::string>{"&Open folder"});
    EXPECT_EQ(Texts(nq::menus::CollectionRowMenu(3, false)),
              (std::vector<std::string>{"Switch o&ff\tSpace", "&Rename\tF2", "&Open folder", "-",
                                        "Move to &trash\tDel"}));
    EXPECT_EQ(Texts(nq::menus::CollectionRowMenu(3, true)).front(), "Switch &on\tSpace");
    EXPECT_EQ(Texts(nq::menus::CollectionsBlankMenu()),
              std::vector<std::string>{"&New collection"});
}

TEST(BatchReport, TheQuestionCountsAndTheReportNamesEveryFontLeftAsItWas) {
    EXPECT_EQ(TrashFontsQuestion(1, "Sans"),
              "Are you sure you want move the font Sans to the trash?");
    EXPECT_EQ(TrashFontsQuestion(12, "Sans"),
              "Are you sure you want move these 12 fonts to the trash?");
    EXPECT_EQ(BatchFailureReport("switched on", 5, {}), "");
    // A reason that names the font stands alone; another gets the name.
    EXPECT_EQ(BatchFailureReport("switched on", 5,
                                 {{"Sans", "'Sans' is already registered for C:\\x.ttf."},
                                  {"Serif", "access denied."}}),
              "2 of 5 fonts could not be switched on; the other 3 were.\n\n'Sans' is already "
              "registered for C:\\x.ttf.\nSerif: access denied.");
    EXPECT_EQ(BatchFailureReport("moved to Beta", 2, {{"Sans", "no room."}}),
              "1 of 2 fonts could not be moved to Beta; the other one was.\n\nSans: no room.");
    EXPECT_EQ(BatchFailureReport("switched off", 2, {{"A", "x"}, {"B", "y"}}),
              "None of the 2 fonts could be switched off.\n\nA: x\nB: y");
    EXPECT_EQ(BatchFailureReport("switched off", 1, {{"A", "x"}}),
              "The font could not be switched off.\n\nA: x");
}

TEST(BatchReport, AVeryLongListIsCutSoThatTheMessageFitsOnTheScreen) {
    std::vector<BatchFailure> failures;
    for (int i = 0; i < 40; ++i)
        failures.push_back({"Font " + std::to_string(i), "refused."});
    const std::string report = BatchFailureReport("switched on", 100, failures);
    EXPECT_NE(report.find("Font 14: refused."), std::string::npos);
    EXPECT_EQ(report.find("Font 15:"), std::string::npos);
    const std::string end = "\n... and 25 more.";
    EXPECT_EQ(report.substr(report.size() - end.size()), end);
}
