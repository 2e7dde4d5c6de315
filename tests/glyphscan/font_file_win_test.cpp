// The program's font reader on Windows: files found by UTF-16 and UTF-8 paths
// (a Japanese file name included), names as UTF-8, files released after reading.
#include "font_builder.h"
#include "font_file_win.h"
#include "font_files.h"
#include "handles.h"
#include "text.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using namespace fontbuild;
using nq::fontfile::FontFileInfo;
using nq::fontfile::ReadFontFile;

// A file with the given bytes under a UTF-16 name in the temporary folder,
// deleted on destruction.
class WideTempFile {
  public:
    WideTempFile(const std::wstring& name, const Bytes& bytes) {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + name;
        const nq::UniqueFile file(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        written_ = file &&
                   WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                             nullptr) &&
                   written == bytes.size();
    }
    WideTempFile(const WideTempFile&) = delete;
    WideTempFile& operator=(const WideTempFile&) = delete;
    ~WideTempFile() { DeleteFileW(path_.c_str()); }
    const std::wstring& path() const { return path_; }
    bool written() const { return written_; }

  private:
    std::wstring path_;
    bool written_ = false;
};

const std::wstring kJapaneseFileName = L"\u660E\u671D\u4F53\u30C6\u30B9\u30C8.ttf"; // 明朝体テスト

Bytes JapaneseNamedFont() {
    return FontWithNames({WindowsName(kFamilyId, u"\u660E\u671D\u4F53", 0x411),
                          WindowsName(kFullNameId, u"\u660E\u671D\u4F53 \u592A\u5B57", 0x411)});
}

TEST(FontFileWin, JapaneseFileAndNamesReachUtf8) {
    const WideTempFile file(kJapaneseFileName, JapaneseNamedFont());
    ASSERT_TRUE(file.written());
    const std::optional<FontFileInfo> byWide = ReadFontFile(file.path());
    ASSERT_TRUE(byWide);
    const nq::fontfile::FaceNames names = nq::fontfile::FaceNamesUtf8(byWide->Faces[0]);
    EXPECT_EQ(names.Family, "\xE6\x98\x8E\xE6\x9C\x9D\xE4\xBD\x93");
    EXPECT_EQ(names.FullName, "\xE6\x98\x8E\xE6\x9C\x9D\xE4\xBD\x93 \xE5\xA4\xAA\xE5\xAD\x97");
    EXPECT_EQ(nq::fontfile::DisplayName(*byWide), names.FullName);

    // The same file by its UTF-8 path.
    const std::optional<FontFileInfo> byUtf8 = ReadFontFile(nq::Utf8FromWide(file.path()));
    ASSERT_TRUE(byUtf8);
    EXPECT_EQ(byUtf8->Faces[0].Family, byWide->Faces[0].Family);

    // Nothing holds the file once it has been read.
    EXPECT_TRUE(DeleteFileW(file.path().c_str()));
}

TEST(FontFileWin, FileAnotherReaderHoldsCanBeRead) {
    const WideTempFile file(L"held.otf", OpenTypeCffWithNames(MacNames("C", "Held", "Held", "T")));
    const nq::UniqueFile other(CreateFileW(file.path().c_str(), GENERIC_READ, FILE_SHARE_READ,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(other);
    const std::optional<FontFileInfo> info = ReadFontFile(file.path());
    ASSERT_TRUE(info);
    EXPECT_STREQ(nq::fontfile::RegistrySuffix(*info), " (OpenType)");
}

TEST(FontFileWin, AnsiTextIsReadInTheAnsiCodePage) {
    if (!fonttest::AnsiIsWestern())
        GTEST_SKIP() << "the ANSI code page here is not Western European";
    nq::fontfile::FontText text;
    text.Ansi = "Caf\xE9 \x80";
    EXPECT_EQ(nq::fontfile::ToUtf8(text), "Caf\xC3\xA9 \xE2\x82\xAC");
}

TEST(FontFileWin, DebianFilesByTheirDisplayNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
         "WenQuanYi Micro Hei & WenQuanYi Micro Hei Mono"},
        {"/usr/share/fonts/opentype/urw-base35/C059-Roman.otf", "C059 Roman"},
        {"/usr/share/wine/fonts/sserife.fon", "MS Sans Serif"},
        {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVu Sans"},
    };
    for (const auto& [path, name] : cases) {
        const std::optional<FontFileInfo> info = ReadFontFile(fonttest::HostPath(path));
        ASSERT_TRUE(info) << path;
        EXPECT_EQ(nq::fontfile::DisplayName(*info), name);
    }
}

TEST(FontFileWin, PathsThatAreNoFontFileGiveNothing) {
    const WideTempFile empty(L"empty.ttf", "");
    const WideTempFile text(L"notes.ttf", "just some text, not a font");
    for (const std::wstring& path :
         {empty.path(), text.path(), std::wstring(L"C:\\nonexistent\\font.ttf"),
          std::wstring(L"C:\\windows")})
        EXPECT_FALSE(ReadFontFile(path));
}

} // namespace
