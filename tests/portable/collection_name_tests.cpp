#include "collection_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kRoot = "C:\\windows\\fonts\\";

std::string Check(const std::string& name) {
    return CollectionNameRuleMessage(kRoot, name);
}

} // namespace

TEST(CollectionNameRules, AcceptsOrdinaryNames) {
    for (const std::string& name : std::vector<std::string>{
             "New Collection", "Sans", "v1.2 fonts", " leading space", "a", "x.y.z", "Con-Fonts",
             "CONSOLE", "COM0", "COM10", "LPT", "nul1", "Fonts (old)", "#1 & more", "100%",
             "Caf\xE9 Schriften \xC4\xD6\xDC", "\x8A\xBF\xFF"})
        EXPECT_EQ(Check(name), "") << name;
}

TEST(CollectionNameRules, RejectsEmptyAndBlankNames) {
    for (const std::string& name : std::vector<std::string>{"", " ", "    "})
        EXPECT_EQ(Check(name), "Please enter a name for the new collection.") << '[' << name << ']';
}

TEST(CollectionNameRules, RejectsDotNames) {
    EXPECT_EQ(Check("."), "\".\" cannot be used as a collection name.");
    EXPECT_EQ(Check(".."), "\"..\" cannot be used as a collection name.");
    // Trailing dots are dropped by the file system: these would name the root or its parent.
    EXPECT_NE(Check("..."), "");
    EXPECT_NE(Check(". ."), "");
}

TEST(CollectionNameRules, RejectsCharactersAFolderNameCannotHold) {
    const std::string message = "A collection name cannot contain control characters or any of "
                                "these characters: \\ / : * ? \" < > |";
    for (char c : std::string("\\/:*?\"<>|")) {
        EXPECT_EQ(Check(std::string("ab") + c + "cd"), message) << c;
        EXPECT_EQ(Check(std::string(1, c)), message) << c;
    }
    for (const std::string& name : {std::string("tab\there"), std::string("new\nline"),
                                    std::string("nul\0byte", 8), std::string("\x1f")})
        EXPECT_EQ(Check(name), message);
    EXPECT_EQ(Check("del\x7f"), "") << "DEL is a valid file name character";
}

TEST(CollectionNameRules, RejectsPathsThatLeaveTheRoot) {
    for (const std::string& name : std::vector<std::string>{
             "..\\escape", "sub\\..\\..\\x", "../escape", "C:\\elsewhere", "\\\\server\\share",
             "D:relative", "name:stream", "/tmp/x", "sub\\"})
        EXPECT_NE(Check(name), "") << name;
}

TEST(CollectionNameRules, RejectsNamesEndingInDotOrSpace) {
    for (const std::string& name :
         std::vector<std::string>{"Fonts.", "Fonts ", "Fonts. ", "a .", "x.."})
        EXPECT_EQ(Check(name), "A collection name cannot end with a dot or a space.") << name;
}

TEST(CollectionNameRules, RejectsReservedDeviceNamesInAnyCaseAndWithExtension) {
    for (const std::string& name : std::vector<std::string>{
             "CON", "con", "Prn", "aUx", "NUL", "COM1", "com9", "LPT1", "lpt9", "CON.txt",
             "nul.tar.gz", "Com3.fonts", "AUX .x", "CONIN$", "conout$"}) {
        EXPECT_TRUE(IsReservedDeviceName(name)) << name;
        EXPECT_EQ(Check(name), "\"" + name +
                                   "\" is a device name reserved by Windows and cannot be used "
                                   "as a collection name.")
            << name;
    }
    for (const std::string& name :
         std::vector<std::string>{"CONX", "COM0", "LPT10", "xNUL", "CO", ".con", "a.CON"})
        EXPECT_FALSE(IsReservedDeviceName(name)) << name;
}

TEST(CollectionNameRules, LeavesRoomInsideTheFolderForItsFiles) {
    // The folder and a backslash and "disabled.txt" must fit into MAX_PATH with its terminator.
    const std::size_t room = kMaxCollectionFolderLength - kRoot.size();
    EXPECT_LE(kRoot.size() + room + std::string("\\disabled.txt").size(), 259u);
    EXPECT_EQ(Check(std::string(room, 'n')), "");
    EXPECT_EQ(Check(std::string(room + 1, 'n')), "The collection name is too long: in " + kRoot +
                                                     " it may have at most " +
                                                     std::to_string(room) + " characters.");
    EXPECT_NE(Check(std::string(5000, 'n')), "");
    // Windows counts UTF-16 units, not the bytes of UTF-8: U+66F8 is one unit
    // (three bytes), a character beyond U+FFFF such as U+1F600 two (four bytes).
    std::string kanji;
    for (std::size_t i = 0; i < room; ++i)
        kanji += "\xe6\x9b\xb8";
    EXPECT_EQ(Check(kanji), "");
    EXPECT_NE(Check(kanji + "n"), "");
    std::string faces;
    for (std::size_t i = 0; i < room / 2; ++i)
        faces += "\xf0\x9f\x98\x80";
    EXPECT_EQ(Check(faces + std::string(room % 2, 'n')), "");
    EXPECT_NE(Check(faces + std::string(room % 2 + 1, 'n')), "");
}

TEST(CollectionNameRules, RootAtTheLimitLeavesNoRoom) {
    const std::string root = "C:\\" + std::string(kMaxCollectionFolderLength, 'r') + "\\";
    EXPECT_EQ(CollectionNameRuleMessage(root, "a"),
              "The collection name is too long: in " + root + " it may have at most 0 characters.");
}

namespace {

// The lead bytes of code page 932 (Shift-JIS); 0xA1-0xDF are half-width kana,
// characters of one byte.
bool Cp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace

TEST(CollectionNameRules, DoubleByteCharactersKeepTheirSecondByte) {
    const std::string forbidden = Check("a|b");
    const std::string incomplete = "The collection name holds an incomplete character.";
    struct Case {
        const char* what;
        std::string name;
        std::string withCp932;  // message under code page 932
        std::string singleByte; // message when every byte is a character
    };
    const std::vector<Case> cases = {
        {"hyouji, second byte 0x5C", "\x95\x5C\x8E\xA6", "", forbidden},
        {"so, second byte 0x5C", "\x83\x5C", "", forbidden},
        {"po, second byte 0x7C", "\x83\x7C", "", forbidden},
        {"a real backslash after a character", "\x95\x5C\\x", forbidden, forbidden},
        {"climbing out after a character", "\x95\x5C\\..\\x", forbidden, forbidden},
        {"half-width kana is one byte", "\xB1\x5C", forbidden, forbidden},
        {"first half at the end", "ab\x95", incomplete, ""},
        {"first half before a control character", std::string("\x95\0x", 3), incomplete, forbidden},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CollectionNameRuleMessage(kRoot, c.name, Cp932LeadByte), c.withCp932) << c.what;
        EXPECT_EQ(Check(c.name), c.singleByte) << c.what;
    }
}
