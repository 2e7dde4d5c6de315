// Which fonts NimbQuillbox manages: the machine's (the Windows fonts folder
// and HKEY_LOCAL_MACHINE: fonts for everyone, which need administrator
// rights) or the user's (their own fonts folder under the local application
// data and HKEY_CURRENT_USER: fonts for that user alone, which Windows 10
// version 1809 and later installs without elevation). A FontScope is the one
// object that knows the fonts root and the registry hive; collections, the
// catalogue, activation and the file operations take it.
#pragma once

#include "font_descr.h"
#include "font_registration.h"
#include "handles.h"
#include "scope_rules.h"

#include <windows.h>

#include <functional>
#include <string>

enum class ScopeKind { Machine, User };

// Whether the process may register fonts in the font key of hive and create
// files in root. The seam through which tests refuse writes.
using WriteTest = std::function<bool(HKEY hive, const std::string& root)>;

// The real test: the font key opened for setting values, and a temporary file
// created in root and deleted again.
bool SystemWriteTest(HKEY hive, const std::string& root);

class FontScope {
  public:
    // root ends in a backslash.
    FontScope(ScopeKind kind, std::string root, WriteTest writeTest = SystemWriteTest);

    ScopeKind Kind() const { return kind_; }
    // The folder whose sub-folders are the collections and whose own font
    // files are "All Fonts"; ends in a backslash.
    const std::string& Root() const { return root_; }
    HKEY Hive() const;
    // Whose fonts these are, in the user's words: "for everyone" or "for you".
    const char* Audience() const;

    // Whether the process may change this scope's fonts (see WriteTest).
    bool Writable() const;
    // Creates the root and any missing folder above it; true when it exists.
    bool CreateRoot() const;

    // The font key with full access, created when it is missing; empty on failure.
    nq::UniqueRegKey OpenFontKey() const;
    // The font key for reading values and listing them; empty when it is missing.
    nq::UniqueRegKey OpenFontKeyToRead() const;
    // The string value valueName of the font key; empty when there is none.
    std::string FontValue(const std::string& valueName) const;

  private:
    ScopeKind kind_;
    std::string root_;
    WriteTest writeTest_;
};

// The Windows folder + "\fonts\"; always ends in a backslash.
std::string SystemFontsRoot();
// The user's own fonts folder, %LOCALAPPDATA%\Microsoft\Windows\Fonts\ (from
// the known-folder call). Empty when there is no such path.
std::string UserFontsRoot();

// Where the two scopes keep their fonts, the write test that decides between
// them, and whether Windows loads the user's own fonts at sign-in.
struct ScopePlaces {
    std::string MachineRoot;
    std::string UserRoot; // empty when the user's folder is unknown
    WriteTest Test = SystemWriteTest;
    bool SystemLoadsUserFonts = true;
};
// SystemFontsRoot, UserFontsRoot, SystemWriteTest, WindowsLoadsUserFonts.
ScopePlaces SystemScopePlaces();

struct ScopeChoice {
    FontScope Scope;
    // What the user is told once at start, when the scope is not the one the
    // setting asks for; empty otherwise.
    std::string Notice;
};

// Auto and Machine take the machine scope when it is writable, otherwise the
// user scope (Machine then says so in Notice); User takes the user scope.
// Without a user root the machine scope remains, and a setting that asked for
// the user's fonts says so. The user scope's root is created here.
ScopeChoice ChooseScope(ScopeSetting setting, const ScopePlaces& places);

// Whether this Windows loads the fonts registered under HKEY_CURRENT_USER at
// sign-in (RtlGetVersion, which tells the true version whatever the manifest).
bool WindowsLoadsUserFonts();
