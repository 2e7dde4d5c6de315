// The rules of the two font scopes that need no Windows: the setting that
// chooses one, and which Windows versions load a user's own fonts at sign-in.
// Portable: no Windows calls.
#pragma once

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

// Whether Windows of this version loads the fonts registered under
// HKEY_CURRENT_USER at sign-in: Windows 10 version 1809 (build 17763) and later.
bool LoadsUserFontsAtSignIn(unsigned major, unsigned minor, unsigned build);
