// The conversion layer and the stored files that hold text: what fits the ANSI
// code page is stored byte for byte as before, what does not is stored whole,
// and files written by earlier versions read as they always did.
#include "library_test_support.h"
#include "profile.h"
#include "text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const std::string kMincho = "\xE6\x98\x8E\xE6\x9C\x9D\xE4\xBD\x93"; // 明朝体

bool WesternCodePage() {
    return GetACP() == 1252;
}

} // namespace

TEST(TextLayer, AnsiIsExactOrNothing) {
    if (!WesternCodePage())
        GTEST_SKIP() << "the ANSI code page here is not Western European";
    struct Case {
        std::string utf8;
        std::optional<std::string> ansi;
    };
    const std::vector<Case> cases = {
        {"", std::string()},
        {"Plain ASCII?", std::string("Plain ASCII?")},
        {"Caf\xC3\xA9 \xE2\x82\xAC", std::string("Caf\xE9 \x80")},
        {kMincho, std::nullopt},
        {"a\xC4\x81", std::nullopt}, // a-macron: no look-alike "a" in its place
        {"Caf\xC3\xA9 " + kMincho, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nq::AnsiFromUtf8(c.utf8), c.ansi) << c.utf8;
        if (c.ansi) {
            EXPECT_EQ(nq::Utf8FromAnsi(*c.ansi), c.utf8);
        }
    }
}

TEST(TextLayer, TextFilesAreAnsiWhenTheyFitAndUtf8BehindAMarkOtherwise) {
    if (!WesternCodePage())
        GTEST_SKIP() << "the ANSI code page here is not Western European";
    struct Case {
        std::string text, bytes;
    };
    const std::vector<Case> written = {
        {"", ""},
        {"Arial\r\nCaf\xC3\xA9\r\n", "Arial\r\nCaf\xE9\r\n"},
        {"Arial\r\n" + kMincho + "\r\n", "\xEF\xBB\xBF"
                                         "Arial\r\n" +
                                             kMincho + "\r\n"},
    };
    for (const Case& c : written) {
        EXPECT_EQ(nq::FileBytesFromText(c.text), c.bytes) << c.text;
        EXPECT_EQ(nq::TextFromFileBytes(c.bytes), c.text) << c.text;
    }
    // What other editors write reads too; damaged UTF-8 reads as U+FFFD.
    const std::vector<Case> read = {
        {"\xE2\x82\xAC", "\x80"},
        {"A\xE2\x82\xAC", std::string("\xFF\xFE"
                                      "A\0\xAC\x20",
                                      6)},
        {"A\xEF\xBF\xBD"
         "B",
         "\xEF\xBB\xBF"
         "A\xC3"
         "B"},
    };
    for (const Case& c : read)
        EXPECT_EQ(nq::TextFromFileBytes(c.bytes), c.text) << c.text;
}

TEST(TextLayer, SettingsFilesStayAnsiUntilAValueNeedsUnicode) {
    libtest::TempFolder folder;
    const std::string ours = folder.Path() + "ours.ini";
    const std::string before = folder.Path() + "before.ini";
    // The same values through the ANSI calls, as earlier versions wrote them.
    const std::vector<std::pair<const char*, std::string>> values = {
        {"Size", "32"}, {"Search", WesternCodePage() ? "caf\xC3\xA9" : "cafe"}};
    for (const auto& [key, value] : values) {
        ASSERT_TRUE(nq::WriteProfileString(ours, "Other", key, value));
        ASSERT_TRUE(WritePrivateProfileStringA("Other", key, nq::AnsiFromUtf8(value)->c_str(),
                                               before.c_str()));
    }
    EXPECT_EQ(libtest::ReadFile(ours), libtest::ReadFile(before));
    EXPECT_EQ(nq::ReadProfileString(ours, "Other", "Search", ""), values[1].second);

    // A Japanese search text: the file becomes UTF-16 and keeps every value.
    ASSERT_TRUE(nq::WriteProfileString(ours, "Other", "Search", kMincho));
    ASSERT_TRUE(nq::WriteProfileString(ours, "Sizes", "FontsPane", "220"));
    EXPECT_EQ(libtest::ReadFile(ours).compare(0, 2, "\xFF\xFE"), 0);
    EXPECT_EQ(nq::ReadProfileString(ours, "Other", "Search", ""), kMincho);
    EXPECT_EQ(nq::ReadProfileString(ours, "Other", "Size", ""), "32");
    EXPECT_EQ(nq::ReadProfileString(ours, "Sizes", "FontsPane", ""), "220");
    // Earlier versions, which read through the ANSI calls, still find their values.
    char size[16] = {};
    GetPrivateProfileStringA("Other", "Size", "", size, sizeof size, ours.c_str());
    EXPECT_STREQ(size, "32");
}
