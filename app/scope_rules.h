// The rules of the two font scopes that need no Windows: the setting that
// chooses one, and which Windows versions load a user's own fonts at sign-in.
// Portable: no Windows calls.
#pragma once

#include <optional>
#include <string>

// Library/Scope of the settings file.
enum class ScopeSetting {
    Auto,    // the machine's fonts when the process may change them, else the user's
    Machine, // the fonts for everyone
    User     // the fonts of the user who runs the program
};

// "auto", "machine" or "user" in any letter case of A-Z, blanks around it
// ignored; anything else (a typo, an empty value) is Auto.
ScopeSetting ParseScopeSetting(const std::string& text);
// The settings file's word for setting.
const char* ScopeSettingText(ScopeSetting setting);

// A command-line argument that chooses the scope for one run, whatever the
// settings file says: "/scope=" and a word ParseScopeSetting reads ("machine",
// "user", "auto"; the prefix in any letter case). Nothing for any other
// argument, or for a word that is not one of the three.
std::optional<ScopeSetting> ScopeFromArgument(const std::string& argument);
// What a run started for the fonts of everyone is given.
constexpr const char* kMachineScopeArgument = "/scope=machine";

// Whether Windows of this version loads the fonts registered under
// HKEY_CURRENT_USER at sign-in: Windows 10 version 1809 (build 17763) and later.
bool LoadsUserFontsAtSignIn(unsigned major, unsigned minor, unsigned build);
