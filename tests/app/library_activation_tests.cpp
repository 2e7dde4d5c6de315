#include "font_activation.h"

#include "font_fixtures.h"
#include "library_test_support.h"
#include "search_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using libtest::Exists;
using libtest::FontValue;
using libtest::ReadFile;

namespace {

class Activation : public libtest::FontsRootTest {};

// A name the registry cannot hold as a value name (at most 16,383 characters):
// the one way found to make the write fail under Wine, which ignores key rights.
std::string Unwritable() {
    return std::string(17000, 'w');
}

} // namespace

TEST_F(Activation, InstallWritesThePathAndUninstallRemovesValueAndSubKey) {
    FontDescr& font = AddFont("Single");
    EXPECT_EQ(InstallFont(font, scope_), "");
    EXPECT_TRUE(font.Installed);
    EXPECT_EQ(FontValue(font.Name), font.Path);
    EXPECT_EQ(InstallFont(font, scope_), ""); // again: still its own value

    HKEY raw = nullptr;
    const std::string subKey = std::string(nq::kFontsKey) + "\\" + FontValueName(font);
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, 0, KEY_READ, nullptr,
                              &raw, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(raw);
    UninstallFont(font, scope_);
    EXPECT_FALSE(font.Installed);
    EXPECT_EQ(FontValue(font.Name), "");
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
    EXPECT_TRUE(Exists(font.Path));
}

TEST_F(Activation, AValueHeldByAnotherFileIsNeitherReplacedNorDeleted) {
    FontDescr& font = AddFont("Held", "held.ttf");
    struct Case {
        std::string held;  // the value another file put there
        std::string named; // the file it names, as the message tells it
    };
    const std::vector<Case> cases = {
        {"C:\\elsewhere\\held.ttf", "C:\\elsewhere\\held.ttf"},
        {"held.ttf", root_.Path() + "held.ttf"}, // bare: the root's own file, not the copy in A
        {"\\\\server\\fonts\\held.ttf", "\\\\server\\fonts\\held.ttf"},
        {Folder("B") + "held.ttf", Folder("B") + "held.ttf"},
    };
    for (const Case& c : cases) {
        libtest::SetFontValue(font.Name, c.held);
        EXPECT_EQ(InstallFont(font, scope_),
                  "'" + font.Name + "' is already registered for " + c.named + ".")
            << c.held;
        EXPECT_EQ(FontValue(font.Name), c.held);
        EXPECT_FALSE(font.Installed);
        // Also a record that believes itself on takes nothing away.
        font.Installed = true;
        UninstallFont(font, scope_);
        EXPECT_EQ(FontValue(font.Name), c.held);
        EXPECT_FALSE(font.Installed);
    }
    // The same file in other letters is this file: switched on and off as usual.
    libtest::SetFontValue(font.Name, LowerAZ(font.Path));
    EXPECT_EQ(InstallFont(font, scope_), "");
    EXPECT_EQ(FontValue(font.Name), font.Path);
    UninstallFont(font, scope_);
    EXPECT_EQ(FontValue(font.Name), "");
}

TEST_F(Activation, SwitchingOffAndOnRestoresExactlyTheRegisteredFonts) {
    struct Case {
        CollectionBroadcast broadcast;
        const char* collection;
    };
    for (const Case& c :
         {Case{CollectionBroadcast::PerFont, "A"}, Case{CollectionBroadcast::OnceAtEnd, "B"}}) {
        const std::string folder = Folder(c.collection);
        // The second and fourth are registered; names with a path or a drive
        // are written without it and still found again.
        FontDescr& plain = AddFont("Plain", "plain.ttf", c.collection);
        FontDescr& path =
            AddFont(std::string("C:\\fonts\\") + c.collection, "pathed.ttf", c.collection);
        FontDescr& other = AddFont("Other", "other.ttf", c.collection);
        FontDescr& drive =
            AddFont(std::string("X:Drive") + c.collection, "drive.ttf", c.collection);
        for (FontDescr* font : {&path, &drive})
            ASSERT_EQ(InstallFont(*font, scope_), "");
        const FontList& all = fonts_;

        EXPECT_EQ(SwitchCollectionOff(all, folder, scope_, c.broadcast), "");
        EXPECT_EQ(ReadFile(folder + "disabled.txt"),
                  std::string(c.collection) + "\r\nDrive" + c.collection + "\r\n");
        for (FontDescr* font : {&plain, &path, &other, &drive}) {
            EXPECT_FALSE(font->Installed) << font->Name;
            EXPECT_EQ(FontValue(font->Name), "") << font->Name;
        }

        EXPECT_EQ(SwitchCollectionOn(all, folder, scope_, c.broadcast), "");
        EXPECT_FALSE(Exists(folder + "disabled.txt"));
        EXPECT_EQ(FontValue(path.Name), path.Path);
        EXPECT_EQ(FontValue(drive.Name), drive.Path);
        EXPECT_TRUE(path.Installed && drive.Installed);
        EXPECT_FALSE(plain.Installed || other.Installed);
        for (FontDescr* font : {&path, &drive})
            UninstallFont(*font, scope_);
    }
}

TEST_F(Activation, SwitchingOffWithNothingRegisteredWritesAnEmptyList) {
    AddFont("Never");
    EXPECT_EQ(SwitchCollectionOff(fonts_, Folder("A"), scope_), "");
    bool missing = true;
    EXPECT_EQ(ReadFile(Folder("A") + "disabled.txt", &missing), "");
    EXPECT_FALSE(missing);
    EXPECT_EQ(SwitchCollectionOn(fonts_, Folder("A"), scope_), "");
    EXPECT_FALSE(Exists(Folder("A") + "disabled.txt"));
}

TEST_F(Activation, AListThatCannotBeWrittenLeavesTheFontsOn) {
    FontDescr& font = AddFont("StaysOn");
    ASSERT_EQ(InstallFont(font, scope_), "");
    ASSERT_TRUE(libtest::MakeFolder(Folder("A") + "disabled.txt")); // a folder in its place
    EXPECT_EQ(SwitchCollectionOff(fonts_, Folder("A"), scope_),
              "Cannot create file " + Folder("A") + "disabled.txt");
    EXPECT_TRUE(font.Installed);
    EXPECT_EQ(FontValue(font.Name), font.Path);
}

TEST_F(Activation, SwitchingOnMatchesEveryRecordIgnoringCase) {
    FontDescr& first = AddFont("First");
    FontDescr& third = AddFont("Third");
    FontDescr& later = AddFont("Later");
    // Lines out of list order, in other letter cases, one that names no font,
    // and LF or CR endings written by hand.
    ASSERT_TRUE(libtest::WriteFile(Folder("A") + "disabled.txt",
                                   "nq " + std::to_string(GetCurrentProcessId()) +
                                       " LATER\r\nNo Such Font\n" + third.Name + "\r"));
    EXPECT_EQ(SwitchCollectionOn(fonts_, Folder("A"), scope_), "");
    EXPECT_FALSE(first.Installed);
    EXPECT_EQ(FontValue(first.Name), "");
    EXPECT_TRUE(third.Installed && later.Installed);
    EXPECT_EQ(FontValue(later.Name), later.Path);
    EXPECT_FALSE(Exists(Folder("A") + "disabled.txt"));
}

TEST_F(Activation, SwitchingOnStopsAtTheFirstFailureAndKeepsTheList) {
    FontDescr& before = AddFont("Before");
    AddFont("Broken").Name = Unwritable();
    FontDescr& after = AddFont("After");
    EXPECT_EQ(SwitchCollectionOn(fonts_, Folder("A"), scope_),
              "Cannot open file " + Folder("A") + "disabled.txt");
    EXPECT_FALSE(before.Installed);

    const std::string list = before.Name + "\r\n" + Unwritable() + "\r\n" + after.Name + "\r\n";
    ASSERT_TRUE(libtest::WriteFile(Folder("A") + "disabled.txt", list));
    EXPECT_EQ(SwitchCollectionOn(fonts_, Folder("A"), scope_),
              "Failed to set data for '" + Unwritable() + " (TrueType)'");
    EXPECT_TRUE(before.Installed);
    EXPECT_FALSE(after.Installed);
    EXPECT_EQ(FontValue(after.Name), "");
    EXPECT_EQ(ReadFile(Folder("A") + "disabled.txt"), list);
}

TEST_F(Activation, AHeldValueStopsTheSwitchOnAndAnExistingListIsNeverReplaced) {
    FontDescr& before = AddFont("First");
    FontDescr& held = AddFont("Taken");
    FontDescr& after = AddFont("Last");
    libtest::SetFontValue(held.Name, "C:\\elsewhere\\taken.ttf");
    const std::string list = before.Name + "\r\n" + held.Name + "\r\n" + after.Name + "\r\n";
    ASSERT_TRUE(libtest::WriteFile(Folder("A") + "disabled.txt", list));
    EXPECT_EQ(SwitchCollectionOn(fonts_, Folder("A"), scope_),
              "'" + held.Name + "' is already registered for C:\\elsewhere\\taken.ttf.");
    EXPECT_TRUE(before.Installed);
    EXPECT_FALSE(held.Installed || after.Installed);
    EXPECT_EQ(FontValue(held.Name), "C:\\elsewhere\\taken.ttf");
    EXPECT_EQ(FontValue(after.Name), "");
    EXPECT_EQ(ReadFile(Folder("A") + "disabled.txt"), list);

    // The collection is off already: a switch-off writes nothing and leaves
    // the font that was switched on by hand alone.
    EXPECT_EQ(SwitchCollectionOff(fonts_, Folder("A"), scope_), "");
    EXPECT_EQ(ReadFile(Folder("A") + "disabled.txt"), list);
    EXPECT_TRUE(before.Installed);
    EXPECT_EQ(FontValue(before.Name), before.Path);
}

TEST_F(Activation, CffFontsRegisterAsOpenTypeAndEitherSuffixNamingTheFileIsTheirs) {
    FontDescr& font = AddFont("Cff", "cff.otf");
    font.CffOutlines = true;
    EXPECT_EQ(InstallFont(font, scope_), "");
    EXPECT_TRUE(font.Installed);
    EXPECT_EQ(FontValue(font.Name, HKEY_LOCAL_MACHINE, " (OpenType)"), font.Path);
    EXPECT_EQ(FontValue(font.Name), "");
    UninstallFont(font, scope_);
    EXPECT_FALSE(font.Installed);
    EXPECT_EQ(FontValue(font.Name, HKEY_LOCAL_MACHINE, " (OpenType)"), "");

    // Another installer registered the file as TrueType: it is on, switching
    // it on again adds no second value, and switching it off takes that one.
    libtest::SetFontValue(font.Name, font.Path);
    EXPECT_EQ(InstallFont(font, scope_), "");
    EXPECT_TRUE(font.Installed);
    EXPECT_EQ(FontValue(font.Name, HKEY_LOCAL_MACHINE, " (OpenType)"), "");
    UninstallFont(font, scope_);
    EXPECT_FALSE(font.Installed);
    EXPECT_EQ(FontValue(font.Name), "");

    // The other suffix naming another file does not stand in the way.
    libtest::SetFontValue(font.Name, "C:\\elsewhere\\cff.ttf");
    EXPECT_EQ(InstallFont(font, scope_), "");
    EXPECT_EQ(FontValue(font.Name, HKEY_LOCAL_MACHINE, " (OpenType)"), font.Path);
    UninstallFont(font, scope_);
    EXPECT_EQ(FontValue(font.Name), "C:\\elsewhere\\cff.ttf");
}

TEST_F(Activation, TheDisabledListStaysAnsiUnlessANameNeedsMore) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page here is not Western European";
    const std::string pid = std::to_string(GetCurrentProcessId());
    // "Café" fits the code page: the list holds its byte 0xE9, as it always did.
    FontDescr& cafe = AddFont("Caf\xC3\xA9", "cafe.ttf", "A");
    ASSERT_EQ(InstallFont(cafe, scope_), "");
    EXPECT_EQ(SwitchCollectionOff(fonts_, Folder("A"), scope_), "");
    EXPECT_EQ(ReadFile(Folder("A") + "disabled.txt"), "NQ " + pid + " Caf\xE9\r\n");
    EXPECT_EQ(SwitchCollectionOn(fonts_, Folder("A"), scope_), "");
    EXPECT_TRUE(cafe.Installed);

    // A Japanese name does not: the whole list is UTF-8 behind its mark, and
    // reads back to the same fonts.
    FontDescr& latin = AddFont("Caf\xC3\xA9 B", "cafe-b.ttf", "B");
    FontDescr& mincho = AddFont(fixtures::kMinchoUtf8, fixtures::kJapaneseFileUtf8, "B");
    for (FontDescr* font : {&latin, &mincho})
        ASSERT_EQ(InstallFont(*font, scope_), "");
    EXPECT_EQ(FontValue(mincho.Name), mincho.Path);
    FontList b;
    b.push_back(std::make_unique<FontDescr>(latin));
    b.push_back(std::make_unique<FontDescr>(mincho));
    EXPECT_EQ(SwitchCollectionOff(b, Folder("B"), scope_), "");
    EXPECT_EQ(ReadFile(Folder("B") + "disabled.txt"), "\xEF\xBB\xBFNQ " + pid +
                                                          " Caf\xC3\xA9 B\r\nNQ " + pid + " " +
                                                          fixtures::kMinchoUtf8 + "\r\n");
    EXPECT_EQ(FontValue(mincho.Name), "");
    EXPECT_EQ(SwitchCollectionOn(b, Folder("B"), scope_), "");
    EXPECT_TRUE(b[0]->Installed && b[1]->Installed);
    EXPECT_EQ(FontValue(mincho.Name), mincho.Path);
    for (const auto& font : b)
        UninstallFont(*font, scope_);
    UninstallFont(cafe, scope_);

    // A list an earlier version wrote in the ANSI code page reads as before.
    ASSERT_TRUE(libtest::WriteFile(Folder("A") + "disabled.txt", "nq " + pid + " CAF\xE9\r\n"));
    EXPECT_EQ(SwitchCollectionOn(fonts_, Folder("A"), scope_), "");
    EXPECT_TRUE(cafe.Installed);
    UninstallFont(cafe, scope_);
}
