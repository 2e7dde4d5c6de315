#include "file_operations.h"

#include "font_activation.h"
#include "font_fixtures.h"
#include "library_test_support.h"
#include "search_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using libtest::Exists;
using libtest::FontValue;
using libtest::MakeFolder;
using libtest::ReadFile;
using libtest::WriteFile;

namespace {

const std::string kDejaVuSans = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";

class FileOps : public libtest::FontsRootTest {
  protected:
    // Wine moves recycled items into the Linux user's trash, which other runs
    // share: the names here are unique, and what a test put there goes again.
    void TearDown() override {
        for (const std::string& name : trashed_) {
            libtest::RemoveTree(TrashFolder() + "files\\" + name);
            DeleteFileW(libtest::Wide(TrashFolder() + "files\\" + name).c_str());
            DeleteFileW(libtest::Wide(TrashFolder() + "info\\" + name + ".trashinfo").c_str());
        }
        libtest::FontsRootTest::TearDown();
    }

    // Wine tells its processes the Linux home folder as \??\Z:\home\user.
    static std::string TrashFolder() {
        char home[MAX_PATH] = {};
        GetEnvironmentVariableA("WINEHOMEDIR", home, MAX_PATH);
        const std::string folder = home;
        return folder.substr(folder.compare(0, 4, "\\??\\") == 0 ? 4 : 0) +
               "\\.local\\share\\Trash\\";
    }

    std::string Unique(const std::string& stem, const std::string& extension = "") {
        trashed_.push_back(stem + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(GetTickCount()) + extension);
        return trashed_.back();
    }

    std::vector<std::string> trashed_;
};

} // namespace

TEST_F(FileOps, AddingCopiesNeverReplaceAndNonFontsGiveNoRecord) {
    EXPECT_EQ(TargetPath(Folder("A"), "C:\\from\\x\\Font.TTF"), Folder("A") + "Font.TTF");
    EXPECT_EQ(TargetPath(root_.Path(), "D:relative.ttf"), root_.Path() + "relative.ttf");
    ASSERT_TRUE(CopyFontFile(kDejaVuSans, TargetPath(Folder("A"), kDejaVuSans)));
    ASSERT_TRUE(WriteFile(Folder("B") + "DEJAVUSANS.ttf", "keep me"));
    EXPECT_FALSE(CopyFontFile(kDejaVuSans, TargetPath(Folder("B"), kDejaVuSans)));
    EXPECT_EQ(ReadFile(Folder("B") + "DEJAVUSANS.ttf"), "keep me");

    const auto font = AddFontFile(Folder("A") + "DejaVuSans.ttf", scope_);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Path, Folder("A") + "DejaVuSans.ttf");
    EXPECT_EQ(font->Name, "DejaVu Sans");
    EXPECT_EQ(font->Family, "DejaVu Sans");
    EXPECT_FALSE(font->Installed); // the prefix registers the host's file, not this copy
    EXPECT_FALSE(AddFontFile(Folder("B") + "DEJAVUSANS.ttf", scope_));
    // Wine describes no file, so the drop's second chance finds nothing either.
    EXPECT_FALSE(AddDroppedFontFile(Folder("B") + "DEJAVUSANS.ttf", scope_));
    EXPECT_TRUE(AddDroppedFontFile(Folder("A") + "DejaVuSans.ttf", scope_));
}

TEST_F(FileOps, AMoveNeverReplacesAFile) {
    FontDescr& font = AddFont("Moving", "moving.ttf");
    ASSERT_EQ(InstallFont(font, scope_), "");
    const std::string path = font.Path;
    ASSERT_TRUE(WriteFile(Folder("B") + "MOVING.TTF", "not the font"));
    for (const std::string& target : {Folder("B"), LowerAZ(Folder("A"))}) {
        const MoveResult result = MoveFontFile(font, target, scope_);
        EXPECT_FALSE(result.Moved) << target;
        EXPECT_NE(result.Message, "") << target;
        EXPECT_EQ(font.Path, path);
        EXPECT_EQ(ReadFile(Folder("B") + "MOVING.TTF"), "not the font");
        EXPECT_EQ(ReadFile(path), ReadFile(kDejaVuSans));
        EXPECT_EQ(FontValue(font.Name), path);
    }
}

TEST_F(FileOps, AMovedInstalledFontIsRegisteredAtItsNewPath) {
    FontDescr& font = AddFont("Moved", "moved.ttf");
    ASSERT_EQ(InstallFont(font, scope_), "");
    const std::string old = font.Path;
    // No such collection: the copy fails and everything stays as it was.
    MoveResult result = MoveFontFile(font, root_.Path() + "Gone\\", scope_);
    EXPECT_FALSE(result.Moved);
    EXPECT_NE(result.Message, "");
    EXPECT_EQ(font.Path, old);
    EXPECT_TRUE(font.Installed);
    EXPECT_EQ(FontValue(font.Name), old);

    result = MoveFontFile(font, root_.Path(), scope_); // into "All Fonts"
    EXPECT_TRUE(result.Moved);
    EXPECT_EQ(result.Message, "");
    EXPECT_EQ(font.Path, root_.Path() + "moved.ttf");
    EXPECT_FALSE(Exists(old));
    EXPECT_TRUE(font.Installed);
    EXPECT_EQ(FontValue(font.Name), font.Path);

    // A value that another file took meanwhile stays that file's; the font
    // moves and is off, and the user is told why.
    libtest::SetFontValue(font.Name, kDejaVuSans);
    result = MoveFontFile(font, Folder("B"), scope_);
    EXPECT_TRUE(result.Moved);
    EXPECT_EQ(result.Message, "'" + font.Name + "' is already registered for " + kDejaVuSans + ".");
    EXPECT_EQ(font.Path, Folder("B") + "moved.ttf");
    EXPECT_FALSE(font.Installed);
    EXPECT_EQ(FontValue(font.Name), kDejaVuSans);
}

TEST_F(FileOps, TrashedFontsAndCollectionsGoToTheRecycleBin) {
    FontDescr& on = AddFont("On", Unique("on", ".ttf"));
    ASSERT_EQ(InstallFont(on, scope_), "");
    EXPECT_EQ(TrashFont(nullptr, on, scope_), "");
    EXPECT_FALSE(Exists(on.Path));
    EXPECT_TRUE(Exists(TrashFolder() + "files\\" + trashed_.back()));
    EXPECT_EQ(FontValue(on.Name), "");

    // Not registered itself: a value of its name names another file and stays,
    // also when the record believes itself on.
    FontDescr& off = AddFont("Off", Unique("off", ".ttf"));
    libtest::SetFontValue(off.Name, kDejaVuSans);
    off.Installed = true;
    EXPECT_EQ(TrashFont(nullptr, off, scope_), "");
    EXPECT_EQ(FontValue(off.Name), kDejaVuSans);

    const std::string collection = Unique("coll");
    ASSERT_TRUE(MakeFolder(root_.Path() + collection));
    FontDescr& inside = AddFont("Inside", "inside.ttf", collection.c_str());
    ASSERT_EQ(InstallFont(inside, scope_), "");
    FontDescr& stale = AddFont("Stale", "stale.ttf", collection.c_str());
    libtest::SetFontValue(stale.Name, kDejaVuSans);
    stale.Installed = true;
    ASSERT_TRUE(WriteFile(Folder(collection.c_str()) + "disabled.txt", ""));
    EXPECT_EQ(TrashCollection(nullptr, fonts_, Folder(collection.c_str()), scope_), "");
    EXPECT_FALSE(Exists(root_.Path() + collection));
    EXPECT_TRUE(Exists(TrashFolder() + "files\\" + collection + "\\disabled.txt"));
    EXPECT_FALSE(inside.Installed);
    EXPECT_EQ(FontValue(stale.Name), kDejaVuSans);
}

TEST_F(FileOps, FontsOfEveryFormatAndNameMoveSwitchedOnAndGoToTheRecycleBin) {
    struct Case {
        std::string name, file;
        fixtures::Bytes bytes; // empty: a copy of DejaVu Sans
        bool cff;
    };
    const std::vector<Case> cases = {
        {fixtures::kMinchoUtf8, Unique(fixtures::kMinchoUtf8, ".ttf"), {}, false},
        {"Otto", Unique("otto", ".otf"), fixtures::OpenTypeFont("NQ Otto", "NQ Otto"), true},
        {"Pair", Unique("pair", ".ttc"), fixtures::TwoFaceCollection("NQ A", "NQ B", false), false},
    };
    for (const Case& c : cases) {
        FontDescr& font = AddFont(c.name, c.file);
        if (!c.bytes.empty()) {
            ASSERT_TRUE(WriteFile(font.Path, c.bytes));
        }
        font.CffOutlines = c.cff;
        const std::string suffix = c.cff ? " (OpenType)" : " (TrueType)";
        ASSERT_EQ(InstallFont(font, scope_), "") << c.file;

        const MoveResult moved = MoveFontFile(font, Folder("B"), scope_);
        EXPECT_TRUE(moved.Moved) << c.file;
        EXPECT_EQ(moved.Message, "") << c.file;
        EXPECT_EQ(font.Path, Folder("B") + c.file);
        EXPECT_TRUE(Exists(font.Path)) << c.file;
        EXPECT_FALSE(Exists(Folder("A") + c.file)) << c.file;
        EXPECT_TRUE(font.Installed) << c.file;
        EXPECT_EQ(FontValue(font.Name, HKEY_LOCAL_MACHINE, suffix), font.Path);

        EXPECT_EQ(TrashFont(nullptr, font, scope_), "") << c.file;
        EXPECT_FALSE(Exists(font.Path)) << c.file;
        EXPECT_TRUE(Exists(TrashFolder() + "files\\" + c.file)) << c.file;
        EXPECT_EQ(FontValue(font.Name, HKEY_LOCAL_MACHINE, suffix), "") << c.file;
    }
}

TEST_F(FileOps, WhatTheRecycleBinCannotTakeIsReportedAndKept) {
    // A path whose first 260 characters name a folder that exists.
    const std::string cut = root_.Path() + std::string(259 - root_.Path().size(), 'c');
    ASSERT_TRUE(MakeFolder(cut));
    FontDescr& missing = AddFont("Missing", "missing.ttf");
    ASSERT_EQ(InstallFont(missing, scope_), "");
    ASSERT_TRUE(DeleteFileW(libtest::Wide(missing.Path).c_str()));
    struct Case {
        const char* what;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"cut path", SendToRecycleBin(nullptr, cut + "\\" + std::string(40, 'x'))},
        {"wildcard", SendToRecycleBin(nullptr, Folder("A") + "*.ttf")},
        {"empty", SendToRecycleBin(nullptr, "")},
        {"missing file", TrashFont(nullptr, missing, scope_)},
        {"the fonts root", TrashCollection(nullptr, fonts_, root_.Path(), scope_)},
    };
    for (const Case& c : cases)
        EXPECT_NE(c.message, "") << c.what;
    EXPECT_TRUE(libtest::IsFolder(cut));
    EXPECT_TRUE(Exists(Folder("A")));
    EXPECT_TRUE(missing.Installed); // registered again after the failed trash
    EXPECT_EQ(FontValue(missing.Name), missing.Path);
}
