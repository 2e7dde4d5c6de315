#include "font_catalogue.h"

#include "font_fixtures.h"
#include "library_test_support.h"
#include "registry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using libtest::MakeFolder;
using libtest::TempFolder;
using libtest::WriteFile;

namespace {

// Debian's font packages, as Wine sees the host's file system.
const std::string kDejaVuFolder = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\";
const std::string kDejaVuSans = kDejaVuFolder + "DejaVuSans.ttf";
const std::string kDejaVuMono = kDejaVuFolder + "DejaVuSansMono.ttf";
const std::string kLiberationSerif =
    "Z:\\usr\\share\\fonts\\truetype\\liberation2\\LiberationSerif-Regular.ttf";
const std::string kBitmapFont = "Z:\\usr\\share\\wine\\fonts\\coure.fon";

std::vector<std::unique_ptr<FontDescr>> Scan(const std::string& folder,
                                             const std::string& fontsRoot) {
    std::vector<std::unique_ptr<FontDescr>> fonts;
    ScanFontFolder(folder, libtest::Machine(fontsRoot),
                   [&](std::unique_ptr<FontDescr> font) { fonts.push_back(std::move(font)); });
    return fonts;
}

const FontDescr* FindByPath(const std::vector<std::unique_ptr<FontDescr>>& fonts,
                            const std::string& path) {
    for (const auto& font : fonts)
        if (font->Path == path)
            return font.get();
    return nullptr;
}

void Copy(const std::string& from, const std::string& to) {
    ASSERT_TRUE(CopyFileW(libtest::Wide(from).c_str(), libtest::Wide(to).c_str(), TRUE))
        << from << " -> " << to;
}

// A value in the real font registry that is deleted again when the test ends.
class RegistryValue {
  public:
    RegistryValue(const std::string& name, const std::string& data, DWORD type = REG_SZ)
        : name_(name) {
        HKEY raw = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, nq::kFontsKey, 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        key_.reset(raw);
        EXPECT_EQ(RegSetValueExA(key_.get(), name_.c_str(), 0, type,
                                 reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size() + (type == REG_SZ ? 1 : 0))),
                  ERROR_SUCCESS);
    }
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;
    ~RegistryValue() { RegDeleteValueA(key_.get(), name_.c_str()); }

  private:
    std::string name_;
    nq::UniqueRegKey key_;
};

// Font names no real font carries, so that the test's registry values meet
// nothing else.
std::string TestFontName(const std::string& what) {
    return "NQ Library Test " + std::to_string(GetCurrentProcessId()) + " " + what;
}

FontDescr Record(const std::string& name, const std::string& path) {
    FontDescr record;
    record.Name = name;
    record.Path = path;
    record.Installed = true; // must be overwritten either way
    return record;
}

} // namespace

TEST(ScanFontFolder, ListsEveryFormatWindowsInstallsByExtensionAndContent) {
    TempFolder folder;
    const std::string f = folder.Path();
    using nq::fontfile::FontFormat;
    struct Case {
        const char* file;
        fixtures::Bytes bytes; // empty: a copy of the host's file in from
        std::string from;
        // What the row shows; an empty name: the file is not listed.
        std::string name, family, copyright;
        FontFormat format;
        int faces;
        bool cff;
    };
    const std::vector<Case> cases = {
        {"a.ttf",
         {},
         kDejaVuSans,
         "DejaVu Sans",
         "DejaVu Sans",
         "",
         FontFormat::kTrueType,
         1,
         false},
        {"b.TTF",
         {},
         kLiberationSerif,
         "Liberation Serif",
         "Liberation Serif",
         "",
         FontFormat::kTrueType,
         1,
         false},
        {"c.otf", fixtures::OpenTypeFont("NQ Otto", "NQ Otto Bold"), "", "NQ Otto Bold", "NQ Otto",
         "(c) NQ Otto", FontFormat::kOpenTypeCff, 1, true},
        {"d.ttc", fixtures::TwoFaceCollection("NQ One", "NQ Two", false), "", "NQ One & NQ Two",
         "NQ One", "(c) NQ One", FontFormat::kCollection, 2, false},
        {"e.OTC", fixtures::TwoFaceCollection("NQ Cff A", "NQ Cff B", true), "",
         "NQ Cff A & NQ Cff B", "NQ Cff A", "(c) NQ Cff A", FontFormat::kCollection, 2, true},
        {"f.fon", fixtures::BitmapFont("NQ Bitmap"), "", "NQ Bitmap", "NQ Bitmap", "(c) NQ Bitmap",
         FontFormat::kBitmap, 1, false},
        {"g.fon", {}, kBitmapFont, "Courier", "Courier", "", FontFormat::kBitmap, 1, false},
        // Glyphscan refuses CFF outlines in a ".ttf"; the program's reader does not.
        {"h.ttf", fixtures::OpenTypeFont("NQ Misnamed", "NQ Misnamed"), "", "NQ Misnamed",
         "NQ Misnamed", "(c) NQ Misnamed", FontFormat::kOpenTypeCff, 1, true},
        // A TrueType file under a collection's extension is still one face.
        {"i.ttc", fixtures::TrueTypeFont("NQ Single", "NQ Single"), "", "NQ Single", "NQ Single",
         "(c) NQ Single", FontFormat::kTrueType, 1, false},
        {"j.pfb", fixtures::TrueTypeFont("NQ Pfb", "NQ Pfb"), "", "", "", "", {}, 0, false},
        {"k.ttf",
         "This is no font, only text with a font's extension.",
         "",
         "",
         "",
         "",
         {},
         0,
         false},
        {"disabled.txt", {}, kDejaVuMono, "", "", "", {}, 0, false},
        {"ttf", {}, kDejaVuMono, "", "", "", {}, 0, false},
    };
    for (const Case& c : cases) {
        if (c.from.empty()) {
            ASSERT_TRUE(WriteFile(f + c.file, c.bytes)) << c.file;
        } else {
            Copy(c.from, f + c.file);
        }
    }
    ASSERT_TRUE(WriteFile(f + "empty.otf", ""));
    Copy(kDejaVuMono, f + "hidden.ttf");
    ASSERT_TRUE(SetFileAttributesA((f + "hidden.ttf").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(MakeFolder(f + "folder.ttf"));
    Copy(kDejaVuMono, f + "folder.ttf\\nested.ttf");

    const auto fonts = Scan(f, f);
    std::size_t listed = 0;
    for (const Case& c : cases) {
        const FontDescr* font = FindByPath(fonts, f + c.file);
        if (c.name.empty()) {
            EXPECT_EQ(font, nullptr) << c.file;
            continue;
        }
        ++listed;
        ASSERT_NE(font, nullptr) << c.file;
        EXPECT_EQ(font->Name, c.name) << c.file;
        EXPECT_EQ(font->Family, c.family) << c.file;
        if (c.from.empty()) {
            EXPECT_EQ(font->Copyright, c.copyright) << c.file;
        }
        EXPECT_EQ(font->Format, c.format) << c.file;
        EXPECT_EQ(font->FaceCount, c.faces) << c.file;
        EXPECT_EQ(font->CffOutlines, c.cff) << c.file;
        EXPECT_EQ(FontValueName(*font), c.name + (c.cff ? " (OpenType)" : " (TrueType)"));
        EXPECT_FALSE(font->Installed) << c.file;
    }
    EXPECT_EQ(fonts.size(), listed);
}

TEST(ScanFontFolder, NamesAndPathsOutsideTheAnsiCodePageArriveWhole) {
    TempFolder folder;
    const std::string f = folder.Path();
    // A file named in Japanese holding DejaVu Sans, and a font whose only
    // names are Japanese, which glyphscan copies byte for byte ("f\x0Eg\x1DOS").
    Copy(kDejaVuSans, f + fixtures::kJapaneseFileUtf8);
    ASSERT_TRUE(WriteFile(f + "mincho.ttf", fixtures::JapaneseOnlyFont()));
    const auto fonts = Scan(f, f);
    ASSERT_EQ(fonts.size(), 2u);
    const FontDescr* named = FindByPath(fonts, f + fixtures::kJapaneseFileUtf8);
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->Name, "DejaVu Sans");
    const FontDescr* mincho = FindByPath(fonts, f + "mincho.ttf");
    ASSERT_NE(mincho, nullptr);
    EXPECT_EQ(mincho->Name, fixtures::kMinchoBoldUtf8);
    EXPECT_EQ(mincho->Family, fixtures::kMinchoUtf8);
    EXPECT_EQ(mincho->Format, nq::fontfile::FontFormat::kTrueType);
}

TEST(ScanFontFolder, KeepsTheEnumerationOrderAndEqualNames) {
    TempFolder folder;
    const std::string f = folder.Path();
    for (const char* name : {"z.ttf", "m.ttf", "a.ttf", "k.ttf"})
        Copy(kDejaVuSans, f + name);
    std::vector<std::string> enumerated;
    for (const std::string& entry : libtest::ListTree(f))
        enumerated.push_back(f + entry);
    const auto fonts = Scan(f, f);
    std::vector<std::string> paths;
    for (const auto& font : fonts) {
        paths.push_back(font->Path);
        EXPECT_EQ(font->Name, "DejaVu Sans");
    }
    EXPECT_EQ(paths, enumerated);
}

TEST(ScanFontFolder, EmptyMissingAndOverlongFoldersListNothing) {
    TempFolder folder;
    EXPECT_TRUE(Scan(folder.Path(), folder.Path()).empty());
    EXPECT_TRUE(Scan(folder.Path() + "missing\\", folder.Path()).empty());
    EXPECT_TRUE(Scan(folder.Path() + std::string(400, 'x') + "\\", folder.Path()).empty());
}

TEST(ScanFontFolder, FilesWhosePathPassesTheLimitAreLeftOut) {
    TempFolder folder;
    // A folder just short of the limit holding a font whose full path is longer:
    // other programs can make such files with the wide, unlimited calls.
    const std::size_t folderLength = 240;
    const std::string deep = folder.Path() + std::string(folderLength - folder.Path().size(), 'd');
    ASSERT_TRUE(MakeFolder(deep));
    Copy(kDejaVuSans, deep + "\\short.ttf");
    const std::string longName(40, 'n');
    const std::wstring wideTarget = L"\\\\?\\" + std::wstring(deep.begin(), deep.end()) + L"\\" +
                                    std::wstring(longName.begin(), longName.end()) + L".ttf";
    const std::wstring wideSource(kDejaVuSans.begin(), kDejaVuSans.end());
    ASSERT_TRUE(CopyFileW(wideSource.c_str(), wideTarget.c_str(), TRUE));

    const auto fonts = Scan(deep + "\\", folder.Path());
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0]->Path, deep + "\\short.ttf");
    EXPECT_EQ(FontResourceDescription(deep + "\\" + longName + ".ttf"), "");
    DeleteFileW(wideTarget.c_str());
}

TEST(ScanFontFolder, FontsTheSystemRegisteredByFullPathAreInstalled) {
    // Wine registers the host's fonts with their Z: paths.
    ASSERT_EQ(nq::ReadString(HKEY_LOCAL_MACHINE, nq::kFontsKey, "DejaVu Sans (TrueType)"),
              kDejaVuSans)
        << "the prefix does not register the host's DejaVu fonts";
    const auto fonts = Scan(kDejaVuFolder, "C:\\windows\\fonts\\");
    const FontDescr* sans = FindByPath(fonts, kDejaVuSans);
    ASSERT_NE(sans, nullptr);
    EXPECT_EQ(sans->Name, "DejaVu Sans");
    EXPECT_TRUE(sans->Installed);
}

TEST(FontResourceDescription, IsEmptyForWhatIsNoFont) {
    TempFolder folder;
    ASSERT_TRUE(WriteFile(folder.Path() + "text.ttf", "no font"));
    EXPECT_EQ(FontResourceDescription(folder.Path() + "text.ttf"), "");
    EXPECT_EQ(FontResourceDescription(folder.Path() + "missing.ttf"), "");
    EXPECT_EQ(FontResourceDescription(std::string(1000, 'x') + ".ttf"), "");
    // Windows describes a real font; Wine gives no description at all.
    const std::string description = FontResourceDescription(kDejaVuSans);
    EXPECT_TRUE(description.empty() || description.find("DejaVu") != std::string::npos)
        << description;
}

TEST(CheckInstalled, BareFileNamesAreCompletedWithTheFontsRoot) {
    TempFolder root;
    const std::string name = TestFontName("Bare");
    RegistryValue value(name + " (TrueType)", "nqbare.ttf");

    FontDescr atRoot = Record(name, root.Path() + "nqbare.ttf");
    CheckInstalled(atRoot, libtest::Machine(root.Path()));
    EXPECT_TRUE(atRoot.Installed);

    // The same file name listed from a collection is a copy, not the registered file.
    FontDescr inCollection = Record(name, root.Path() + "Coll\\nqbare.ttf");
    CheckInstalled(inCollection, libtest::Machine(root.Path()));
    EXPECT_FALSE(inCollection.Installed);

    FontDescr otherRoot = Record(name, "C:\\elsewhere\\nqbare.ttf");
    CheckInstalled(otherRoot, libtest::Machine(root.Path()));
    EXPECT_FALSE(otherRoot.Installed);
}

TEST(CheckInstalled, FullPathsCompareWithoutRegardToCase) {
    const std::string name = TestFontName("Full");
    RegistryValue value(name + " (TrueType)", "C:\\Windows\\Fonts\\Coll\\NQFull.TTF");
    for (const std::string& path : {std::string("C:\\Windows\\Fonts\\Coll\\NQFull.TTF"),
                                    std::string("c:\\windows\\fonts\\coll\\nqfull.ttf"),
                                    std::string("C:\\WINDOWS\\FONTS\\COLL\\NQFULL.TTF")}) {
        FontDescr record = Record(name, path);
        CheckInstalled(record, libtest::Machine("C:\\unused\\"));
        EXPECT_TRUE(record.Installed) << path;
    }
    for (const std::string& path :
         {std::string("C:\\Windows\\Fonts\\NQFull.TTF"),
          std::string("C:\\Windows\\Fonts\\Coll\\NQFull.TTF2"), std::string("")}) {
        FontDescr record = Record(name, path);
        CheckInstalled(record, libtest::Machine("C:\\Windows\\Fonts\\Coll\\"));
        EXPECT_FALSE(record.Installed) << path;
    }
}

TEST(CheckInstalled, EitherSuffixNamingTheFileRegistersIt) {
    const std::string name = TestFontName("Suffix");
    const std::string path = "C:\\Fonts\\Coll\\nqsuffix.otf";
    struct Case {
        bool cff;
        const char* suffix;
        std::string value;
        bool installed;
    };
    const std::vector<Case> cases = {
        {true, " (OpenType)", path, true},
        {true, " (TrueType)", path, true}, // as another installer may have named it
        {false, " (OpenType)", path, true},
        {true, " (OpenType)", "C:\\Fonts\\other.otf", false},
    };
    for (const Case& c : cases) {
        RegistryValue value(name + c.suffix, c.value);
        FontDescr record = Record(name, path);
        record.CffOutlines = c.cff;
        CheckInstalled(record, libtest::Machine("C:\\Fonts\\"));
        EXPECT_EQ(record.Installed, c.installed) << c.suffix << " " << c.value;
    }
}

TEST(CheckInstalled, NetworkPathsAreNotCompletedWithTheFontsRoot) {
    const std::string name = TestFontName("Unc");
    RegistryValue value(name + " (TrueType)", "\\\\server\\share\\NQUnc.ttf");
    FontDescr record = Record(name, "\\\\SERVER\\share\\nqunc.TTF");
    CheckInstalled(record, libtest::Machine("C:\\Windows\\Fonts\\"));
    EXPECT_TRUE(record.Installed);
}

TEST(CheckInstalled, MissingShortAndOddValuesAreNotInstalled) {
    TempFolder root;
    FontDescr missing = Record(TestFontName("Missing"), root.Path() + "x.ttf");
    CheckInstalled(missing, libtest::Machine(root.Path()));
    EXPECT_FALSE(missing.Installed);

    // An empty path must not match a missing value.
    FontDescr emptyPath = Record(TestFontName("Missing"), "");
    CheckInstalled(emptyPath, libtest::Machine(root.Path()));
    EXPECT_FALSE(emptyPath.Installed);

    const std::string shortName = TestFontName("Short");
    RegistryValue shortValue(shortName + " (TrueType)", "ab");
    FontDescr shortRecord = Record(shortName, root.Path() + "ab");
    CheckInstalled(shortRecord, libtest::Machine(root.Path()));
    EXPECT_FALSE(shortRecord.Installed);

    const std::string dwordName = TestFontName("Dword");
    RegistryValue dwordValue(dwordName + " (TrueType)", std::string(4, '\1'), REG_DWORD);
    FontDescr dwordRecord = Record(dwordName, root.Path() + std::string(4, '\1'));
    CheckInstalled(dwordRecord, libtest::Machine(root.Path()));
    EXPECT_FALSE(dwordRecord.Installed);
}

TEST(CheckInstalled, ListingFromTheRootFindsRegisteredCopies) {
    // A real font file lies in the root and in a collection; its registry
    // value names the root's copy by bare file name.
    TempFolder root;
    const std::string r = root.Path();
    Copy(kDejaVuSans, r + "nqsans.ttf");
    ASSERT_TRUE(MakeFolder(r + "Coll"));
    Copy(kDejaVuSans, r + "Coll\\nqsans.ttf");
    const std::string name = TestFontName("Scan");

    auto fonts = Scan(r, r);
    ASSERT_EQ(fonts.size(), 1u);
    fonts[0]->Name = name; // the real name is registered by the prefix already
    RegistryValue value(name + " (TrueType)", "NQSANS.TTF");
    CheckInstalled(*fonts[0], libtest::Machine(r));
    EXPECT_TRUE(fonts[0]->Installed);

    auto copies = Scan(r + "Coll\\", r);
    ASSERT_EQ(copies.size(), 1u);
    copies[0]->Name = name;
    CheckInstalled(*copies[0], libtest::Machine(r));
    EXPECT_FALSE(copies[0]->Installed);
}
