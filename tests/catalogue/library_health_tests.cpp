// The rules that find a font library's problems: each kind is found, and what
// is healthy (a value naming an existing file, a bare file name in the root,
// either of the two suffixes) is not reported.
#include "library_health.h"

#include <gtest/gtest.h>

#include <set>

using namespace nq::catalogue;

namespace {

const std::string kRoot = "C:\\Windows\\Fonts\\";

HealthFile File(const std::string& path, const std::string& name, std::uint64_t size = 100,
                bool inCollection = true) {
    HealthFile file;
    file.Font.Path = path;
    file.Font.Name = name;
    file.InCollection = inCollection;
    file.Size = size;
    return file;
}

struct Library {
    std::vector<HealthValue> Values;
    std::vector<HealthFile> Files;
    std::set<std::string> Elsewhere; // files outside the root that exist

    std::vector<HealthProblem> Problems() const {
        return FindHealthProblems(Values, Files, kRoot, [this](const std::string& path) {
            return Elsewhere.count(path) > 0;
        });
    }
};

// "kind path value other on group detail", one a problem.
std::vector<std::string> Summary(const std::vector<HealthProblem>& problems) {
    std::vector<std::string> lines;
    for (const HealthProblem& p : problems)
        lines.push_back(HealthKindLabel(p.Kind) + " | " + p.Font + " | " + p.Path + " | " +
                        p.ValueName + " | " + p.OtherPath + " | " + (p.On ? "on" : "off") + " | " +
                        std::to_string(p.Group) + " | " + p.Detail);
    return lines;
}

TEST(LibraryHealth, AHealthyLibraryHasNoProblems) {
    Library library;
    library.Files = {File(kRoot + "arial.ttf", "Arial", 10, false),
                     File(kRoot + "A\\Serif.otf", "Serif", 20),
                     File(kRoot + "A\\Mono.ttf", "Mono", 30)};
    library.Files[1].Font.CffOutlines = true;
    library.Elsewhere = {"D:\\Other\\Sans.ttf"};
    library.Values = {
        {"Arial (TrueType)", "arial.ttf"},            // a bare name lies in the root
        {"Serif (OpenType)", kRoot + "a\\SERIF.otf"}, // case of the path does not matter
        {"Mono (OpenType)", kRoot + "A\\Mono.ttf"},   // the other suffix registers it too
        {"Sans (TrueType)", "D:\\Other\\Sans.ttf"},   // outside the root, and there
        {"Empty (TrueType)", ""},                     // no file named at all
    };
    EXPECT_EQ(Summary(library.Problems()), std::vector<std::string>{});
}

TEST(LibraryHealth, EachKindIsFoundWithWhatItsFixNeeds) {
    Library library;
    library.Files = {
        File(kRoot + "A\\Broken.ttf", "", 7),        // unreadable, does not load
        File(kRoot + "A\\Sans.ttf", "Sans", 50),     // a copy by name, off
        File(kRoot + "B\\Sans2.ttf", "SANS", 60),    // a copy by name, on
        File(kRoot + "Bold.ttf", "Bold", 70, false), // holds "Bold (TrueType)"
        File(kRoot + "C\\Bold-new.ttf", "Bold", 71), // its value name is held
    };
    library.Files[0].Loads = false;
    library.Values = {
        {"Gone (TrueType)", kRoot + "C\\Gone.ttf"},
        {"Bare Gone (OpenType)", "baregone.ttf"},
        {"Sans (TrueType)", kRoot + "B\\Sans2.ttf"},
        {"Bold (TrueType)", "Bold.ttf"},
    };
    const std::vector<std::string> expected = {
        "File is gone | Gone | " + kRoot + "C\\Gone.ttf | Gone (TrueType) |  | on | -1 | ",
        "File is gone | Bare Gone | " + kRoot +
            "baregone.ttf | Bare Gone (OpenType) |  | on | -1 | ",
        "Does not load |  | " + kRoot + "A\\Broken.ttf |  |  | off | -1 | ",
        "Same font twice | Sans | " + kRoot + "A\\Sans.ttf |  |  | off | 0 | same name",
        "Same font twice | SANS | " + kRoot + "B\\Sans2.ttf |  |  | on | 0 | same name",
        "Same font twice | Bold | " + kRoot + "Bold.ttf |  |  | on | 1 | same name",
        "Same font twice | Bold | " + kRoot + "C\\Bold-new.ttf |  |  | off | 1 | same name",
        // Switching the copy that is off on would take the name from the other copy.
        "Name held by another file | Sans | " + kRoot + "A\\Sans.ttf | Sans (TrueType) | " + kRoot +
            "B\\Sans2.ttf | off | -1 | ",
        "Name held by another file | Bold | " + kRoot + "C\\Bold-new.ttf | Bold (TrueType) | " +
            kRoot + "Bold.ttf | off | -1 | ",
    };
    EXPECT_EQ(Summary(library.Problems()), expected);
}

TEST(LibraryHealth, CopiesAreTheSameNameOrTheSameBytes) {
    Library library;
    library.Files = {File(kRoot + "A\\One.ttf", "One", 500), File(kRoot + "B\\Uno.ttf", "Uno", 500),
                     File(kRoot + "C\\Other.ttf", "Other", 500),
                     File(kRoot + "D\\One.ttf", "One", 900)};
    // Only files that share a size are hashed.
    EXPECT_EQ(FilesToHash(library.Files), (std::vector<std::size_t>{0, 1, 2}));
    library.Files[0].Hash = 1;
    library.Files[1].Hash = 1; // same bytes, another name
    library.Files[2].Hash = 2; // same size, other bytes: no copy
    const std::vector<HealthProblem> problems = library.Problems();
    ASSERT_EQ(problems.size(), 3u);
    for (const HealthProblem& p : problems) {
        EXPECT_EQ(p.Kind, HealthProblemKind::Duplicate);
        EXPECT_EQ(p.Group, 0);
        EXPECT_EQ(p.Detail, "same name or bytes");
    }
    EXPECT_EQ(problems[2].Path, kRoot + "D\\One.ttf");

    // Same name and bytes, said so.
    library.Files.pop_back();
    library.Files[1].Font.Name = "one";
    EXPECT_EQ(library.Problems()[0].Detail, "same name and bytes");
    library.Files[1].Hash = 3;
    EXPECT_EQ(library.Problems()[0].Detail, "same name");
    library.Files[1].Font.Name = "Uno";
    EXPECT_TRUE(library.Problems().empty());
}

TEST(LibraryHealth, AConflictNeedsAnotherFileThatExistsAndAFontThatIsOff) {
    const std::string mine = kRoot + "A\\Sans.otf";
    struct Case {
        const char* what;
        std::string valueName, data;
        bool cff;
        std::vector<std::string> expected; // kinds
    };
    const Case cases[] = {
        {"held by a file elsewhere",
         "Sans (OpenType)",
         "D:\\Sans.otf",
         true,
         {"Name held by another file"}},
        {"the other suffix is free to take", "Sans (TrueType)", "D:\\Sans.otf", true, {}},
        {"held by this very file", "Sans (OpenType)", mine, true, {}},
        {"held by a file that is gone", "Sans (OpenType)", "D:\\Gone.otf", true, {"File is gone"}},
        {"the TrueType name of a TrueType font",
         "SANS (TRUETYPE)",
         "D:\\Sans.otf",
         false,
         {"Name held by another file"}},
    };
    for (const Case& c : cases) {
        Library library;
        library.Files = {File(mine, "Sans")};
        library.Files[0].Font.CffOutlines = c.cff;
        library.Values = {{c.valueName, c.data}};
        library.Elsewhere = {"D:\\Sans.otf"};
        std::vector<std::string> kinds;
        for (const HealthProblem& p : library.Problems())
            kinds.push_back(HealthKindLabel(p.Kind));
        EXPECT_EQ(kinds, c.expected) << c.what;
    }

    // A font in the root itself is no collection's: its name is not checked.
    Library library;
    library.Files = {File(kRoot + "Sans.ttf", "Sans", 1, false)};
    library.Values = {{"Sans (TrueType)", "D:\\Sans.otf"}};
    library.Elsewhere = {"D:\\Sans.otf"};
    EXPECT_TRUE(library.Problems().empty());
}

TEST(LibraryHealth, AValueOfSeveralFilesIsGoneWhenOneOfThemIs) {
    Library library;
    library.Elsewhere = {kRoot + "a.pfm"};
    library.Values = {{"Old (Type 1)", "a.pfm|a.pfb"}, {"Fine (Type 1)", "a.pfm|"}};
    const std::vector<HealthProblem> problems = library.Problems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Path, kRoot + "a.pfb");
    EXPECT_EQ(problems[0].Font, "Old (Type 1)"); // no suffix of ours to take away
}

TEST(LibraryHealth, EveryProblemSaysWhatItsFixDoes) {
    HealthProblem p;
    const std::pair<HealthProblemKind, const char*> fixes[] = {
        {HealthProblemKind::MissingFile, "Remove the registration"},
        {HealthProblemKind::FailsToLoad, "Move the file to the trash"},
        {HealthProblemKind::Duplicate, "Move this copy to the trash"},
        {HealthProblemKind::NameConflict, "Register this file instead"},
    };
    for (const auto& [kind, label] : fixes) {
        p.Kind = kind;
        EXPECT_EQ(HealthFixLabel(p), label);
    }
    p.Kind = HealthProblemKind::Duplicate;
    p.On = true;
    EXPECT_EQ(HealthFixLabel(p), "None: keep this copy, it is on");
}

} // namespace
