#include "scope_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ScopeSetting, ReadsTheThreeWordsAndFallsBackToAuto) {
    struct Case {
        const char* text;
        ScopeSetting setting;
    };
    const std::vector<Case> cases = {
        {"auto", ScopeSetting::Auto},       {"machine", ScopeSetting::Machine},
        {"user", ScopeSetting::User},       {" USER\t", ScopeSetting::User},
        {"Machine", ScopeSetting::Machine}, {"", ScopeSetting::Auto},
        {"users", ScopeSetting::Auto},      {"machine user", ScopeSetting::Auto},
        {"1", ScopeSetting::Auto},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseScopeSetting(c.text), c.setting) << '"' << c.text << '"';
    // What is written back reads as the same setting.
    for (ScopeSetting s : {ScopeSetting::Auto, ScopeSetting::Machine, ScopeSetting::User})
        EXPECT_EQ(ParseScopeSetting(ScopeSettingText(s)), s) << ScopeSettingText(s);
}

TEST(ScopeFromArgument, OnlyTheScopeArgumentWithOneOfTheThreeWords) {
    struct Case {
        const char* argument;
        std::optional<ScopeSetting> setting;
    };
    const std::vector<Case> cases = {
        {kMachineScopeArgument, ScopeSetting::Machine},
        {"/SCOPE=User", ScopeSetting::User},
        {"/scope=auto", ScopeSetting::Auto},
        {"/scope=", std::nullopt},
        {"/scope=everyone", std::nullopt},
        {"scope=machine", std::nullopt},
        {"/scopes=machine", std::nullopt},
        {"C:\\fonts\\a.ttf", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScopeFromArgument(c.argument), c.setting) << '"' << c.argument << '"';
}

TEST(LoadsUserFontsAtSignIn, FromWindows10Version1809On) {
    struct Case {
        unsigned major, minor, build;
        bool loads;
    };
    const std::vector<Case> cases = {
        {6, 1, 7601, false},   // Windows 7
        {6, 3, 9600, false},   // Windows 8.1
        {10, 0, 17134, false}, // Windows 10 1803
        {10, 0, 17763, true},  // Windows 10 1809
        {10, 0, 19045, true},  // Windows 10 22H2
        {10, 0, 22631, true},  // Windows 11
        {11, 0, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadsUserFontsAtSignIn(c.major, c.minor, c.build), c.loads)
            << c.major << "." << c.minor << "." << c.build;
}
