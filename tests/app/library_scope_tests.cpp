// The two font scopes: which one the setting and the write test choose, and
// the user's scope at work: its values under HKEY_CURRENT_USER with full
// paths, its files under its own root, and the machine's registry untouched.
#include "font_scope.h"

#include "font_activation.h"
#include "font_catalogue.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using libtest::FontValue;

namespace {

// A test that says whether HKEY_LOCAL_MACHINE may be written; the user's hive
// always may.
WriteTest MachineWritable(bool writable) {
    return [writable](HKEY hive, const std::string&) {
        return hive != HKEY_LOCAL_MACHINE || writable;
    };
}

} // namespace

TEST(ChooseScope, TheSettingAndTheWriteTestDecide) {
    libtest::TempFolder machine, user;
    const std::string userRoot = user.Path() + "Microsoft\\Windows\\Fonts\\";
    struct Case {
        ScopeSetting setting;
        bool machineWritable;
        bool userKnown;
        ScopeKind kind;
        bool notice;
    };
    const std::vector<Case> cases = {
        {ScopeSetting::Auto, true, true, ScopeKind::Machine, false},
        {ScopeSetting::Auto, false, true, ScopeKind::User, false},
        {ScopeSetting::Machine, true, true, ScopeKind::Machine, false},
        {ScopeSetting::Machine, false, true, ScopeKind::User, true},
        {ScopeSetting::User, true, true, ScopeKind::User, false},
        {ScopeSetting::User, false, true, ScopeKind::User, false},
        // Without a folder of the user's, the machine's fonts remain.
        {ScopeSetting::Auto, false, false, ScopeKind::Machine, false},
        {ScopeSetting::User, true, false, ScopeKind::Machine, true},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(ScopeSettingText(c.setting)) +
                                 (c.machineWritable ? " writable" : " refused") +
                                 (c.userKnown ? "" : " no user folder");
        const ScopePlaces places{machine.Path(), c.userKnown ? userRoot : "",
                                 MachineWritable(c.machineWritable)};
        const ScopeChoice choice = ChooseScope(c.setting, places);
        EXPECT_EQ(choice.Scope.Kind(), c.kind) << what;
        EXPECT_EQ(choice.Scope.Root(), c.kind == ScopeKind::Machine ? machine.Path() : userRoot)
            << what;
        EXPECT_EQ(choice.Scope.Hive(),
                  c.kind == ScopeKind::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER)
            << what;
        EXPECT_EQ(!choice.Notice.empty(), c.notice) << what << ": " << choice.Notice;
        if (c.kind == ScopeKind::User) {
            EXPECT_TRUE(libtest::IsFolder(userRoot)) << what; // created when missing
        }
    }
}

TEST(FontScope, RootsAndTheRealWriteTest) {
    char localAppData[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("LOCALAPPDATA", localAppData, MAX_PATH), 0u);
    EXPECT_EQ(UserFontsRoot(), std::string(localAppData) + "\\Microsoft\\Windows\\Fonts\\");

    libtest::TempFolder root;
    EXPECT_TRUE(FontScope(ScopeKind::User, root.Path()).Writable());
    EXPECT_TRUE(libtest::ListTree(root.Path()).empty()); // the probe file is gone again
    EXPECT_FALSE(FontScope(ScopeKind::User, root.Path() + "missing\\").Writable());
    EXPECT_STREQ(FontScope(ScopeKind::User, root.Path()).Audience(), "for you");
    EXPECT_STREQ(FontScope(ScopeKind::Machine, root.Path()).Audience(), "for everyone");
}

namespace {

// A fonts root of the user's scope with the collections "A" and "B".
class UserScope : public libtest::FontsRootTest {
  protected:
    UserScope() { scope_ = FontScope(ScopeKind::User, root_.Path()); }
};

} // namespace

TEST_F(UserScope, FontsAreRegisteredForTheUserAloneWithTheirFullPaths) {
    FontDescr& font = AddFont("Mine");
    // Registered for everyone with this very file: still not on for this user.
    libtest::SetFontValue(font.Name, font.Path, HKEY_LOCAL_MACHINE);
    CheckInstalled(font, scope_);
    EXPECT_FALSE(font.Installed);

    EXPECT_EQ(InstallFont(font, scope_), "");
    EXPECT_TRUE(font.Installed);
    EXPECT_EQ(FontValue(font.Name, HKEY_CURRENT_USER), font.Path);
    UninstallFont(font, scope_);
    EXPECT_FALSE(font.Installed);
    EXPECT_EQ(FontValue(font.Name, HKEY_CURRENT_USER), "");
    EXPECT_EQ(FontValue(font.Name, HKEY_LOCAL_MACHINE), font.Path); // never touched

    // A bare file name under HKEY_CURRENT_USER lies in the user's root; a
    // value held by another file of the user's is kept as in the machine scope.
    FontDescr& atRoot = AddFont("AtRoot", "", nullptr);
    libtest::SetFontValue(atRoot.Name, "AtRoot.ttf", HKEY_CURRENT_USER);
    CheckInstalled(atRoot, scope_);
    EXPECT_TRUE(atRoot.Installed);
    libtest::SetFontValue(font.Name, atRoot.Path, HKEY_CURRENT_USER);
    EXPECT_EQ(InstallFont(font, scope_),
              "'" + font.Name + "' is already registered for " + atRoot.Path + ".");
}

TEST_F(UserScope, RegisteredFontsAreLoadedWhereWindowsDoesNot) {
    FontDescr& full = AddFont("LoadFull");
    FontDescr& bare = AddFont("LoadBare", "", nullptr);
    FontDescr& gone = AddFont("LoadGone");
    libtest::SetFontValue(full.Name, full.Path, HKEY_CURRENT_USER);
    libtest::SetFontValue(bare.Name, "LoadBare.ttf", HKEY_CURRENT_USER);
    libtest::SetFontValue(gone.Name, Folder("B") + "gone.ttf", HKEY_CURRENT_USER);
    // The prefix's own values may load too: at least ours, and not the missing file.
    const int loaded = LoadRegisteredFonts(scope_);
    EXPECT_GE(loaded, 2);
    libtest::DeleteFontValue(full.Name, HKEY_CURRENT_USER);
    libtest::DeleteFontValue(bare.Name, HKEY_CURRENT_USER);
    EXPECT_EQ(LoadRegisteredFonts(scope_), loaded - 2);
}
