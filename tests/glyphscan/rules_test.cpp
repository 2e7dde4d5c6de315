// The naming rules, each checked against a file made for it, through GetFontProps
// (the DLL under Wine, the POSIX entry natively).
#include "font_builder.h"
#include "font_files.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace fontbuild;
using fonttest::Props;

Props Read(const Bytes& image) {
    const fonttest::TempFile file(image);
    return fonttest::ReadProps(file.path());
}

void ExpectRejected(const Props& props) {
    EXPECT_EQ(props.result, 0);
    EXPECT_TRUE(props.untouched) << "the caller's buffers were written on failure";
}

void ExpectNames(const Props& props, const std::string& full_name, const std::string& copyright,
                 const std::string& trademark, const std::string& family) {
    EXPECT_EQ(props.result, 1);
    EXPECT_EQ(props.full_name, full_name);
    EXPECT_EQ(props.copyright, copyright);
    EXPECT_EQ(props.trademark, trademark);
    EXPECT_EQ(props.family, family);
}

Bytes StandardFontWithVersion(std::uint32_t version) {
    Font font;
    font.version = version;
    font.tables.push_back({"name", EncodeNameTable({MacNames("C", "F", "N", "T"), {}, {}}), {}});
    return BuildFont(font);
}

// --- Which files count as fonts ---

TEST(FontHeader, OnlyTrueTypeVersionOneIsRead) {
    ExpectNames(Read(StandardFontWithVersion(kTrueType)), "N", "C", "T", "F");
    for (std::uint32_t version :
         {kOpenTypeCff, kCollection, kAppleTrueType, 0x00010001u, 0x00020000u, 0x00000000u})
        ExpectRejected(Read(StandardFontWithVersion(version)));
}

TEST(FontHeader, EmptyAndTinyFilesAreRejected) {
    ExpectRejected(Read(""));
    ExpectRejected(Read(Bytes("\0\1\0\0", 4)));
    ExpectRejected(Read(Bytes("\0\1\0\0\0\0", 6))); // no tables
}

// --- The directory scan ---

TEST(TableDirectory, NameTagMatchesWithoutRegardToCase) {
    for (const char* tag : {"name", "NAME", "NaMe"}) {
        Font font;
        font.tables.push_back({"cmap", Bytes(4, '\0'), {}});
        font.tables.push_back({tag, EncodeNameTable({MacNames("C", "F", "N", "T"), {}, {}}), {}});
        ExpectNames(Read(BuildFont(font)), "N", "C", "T", "F");
    }
}

TEST(TableDirectory, TagEndingAtAZeroIsNotTheNamingTable) {
    Font font;
    font.tables.push_back(
        {Bytes("nam\0", 4), EncodeNameTable({MacNames("", "Wrong", "", ""), {}, {}}), {}});
    font.tables.push_back({"name", EncodeNameTable({MacNames("", "Right", "", ""), {}, {}}), {}});
    ExpectNames(Read(BuildFont(font)), "Right", "", "", "Right");
}

TEST(TableDirectory, TagBeginningWithZeroEndsTheScan) {
    Font before;
    before.tables.push_back({Bytes("\0abc", 4), Bytes(4, '\0'), {}});
    before.tables.push_back({"name", EncodeNameTable({MacNames("C", "F", "N", "T"), {}, {}}), {}});
    ExpectRejected(Read(BuildFont(before)));

    Font after;
    after.tables.push_back({"name", EncodeNameTable({MacNames("C", "F", "N", "T"), {}, {}}), {}});
    after.tables.push_back({Bytes("\0abc", 4), Bytes(4, '\0'), {}});
    ExpectNames(Read(BuildFont(after)), "N", "C", "T", "F");
}

TEST(TableDirectory, FontWithoutNamingTableIsRejected) {
    Font font;
    font.tables.push_back({"cmap", Bytes(4, '\0'), {}});
    font.tables.push_back({"glyf", Bytes(4, '\0'), {}});
    ExpectRejected(Read(BuildFont(font)));
}

// --- Choosing the 8-bit records ---

TEST(EightBitRecords, EachNameIdFillsItsSlot) {
    ExpectNames(Read(FontWithNames(MacNames("Copyright 2024", "Family", "Family Bold", "TM"))),
                "Family Bold", "Copyright 2024", "TM", "Family");
}

TEST(EightBitRecords, OtherNameIdsPlayNoPart) {
    auto records = MacNames("C", "F", "N", "T");
    records.insert(records.begin(), MacName(kSubfamilyId, "Regular"));
    records.insert(records.begin(), MacName(3, "Unique"));
    records.insert(records.begin(), MacName(6, "PostScript"));
    ExpectNames(Read(FontWithNames(records)), "N", "C", "T", "F");
}

TEST(EightBitRecords, FullNameFallsBackToFamily) {
    ExpectNames(Read(FontWithNames({MacName(kFamilyId, "Only Family")})), "Only Family", "", "",
                "Only Family");
}

TEST(EightBitRecords, FirstAcceptedRecordOfEachIdWins) {
    ExpectNames(Read(FontWithNames({MacName(kFamilyId, "First"), MacName(kFamilyId, "Second"),
                                    MacName(kCopyrightId, "C1"), MacName(kCopyrightId, "C2")})),
                "First", "C1", "", "First");
}

TEST(EightBitRecords, RecordBeginningWithZeroIsPassedOver) {
    ExpectNames(Read(FontWithNames(
                    {MacName(kFamilyId, Bytes("\0Hidden", 7)), MacName(kFamilyId, "Visible")})),
                "Visible", "", "", "Visible");
}

TEST(EightBitRecords, EmptyRecordIsPassedOver) {
    ExpectNames(Read(FontWithNames({MacName(kFamilyId, ""), MacName(kFamilyId, "Later")})), "Later",
                "", "", "Later");
}

TEST(EightBitRecords, WithoutAcceptedFamilyTheFontIsRejected) {
    ExpectRejected(Read(FontWithNames(
        {MacName(kCopyrightId, "C"), MacName(kFullNameId, "N"), MacName(kTrademarkId, "T")})));
    ExpectRejected(Read(
        FontWithNames({MacName(kFamilyId, Bytes("\0x", 2)), MacName(kFamilyId, Bytes("\0y", 2))})));
    ExpectRejected(Read(FontWithNames({})));
}

TEST(EightBitRecords, TextEndsAtItsFirstZeroByte) {
    ExpectNames(Read(FontWithNames({MacName(kFamilyId, Bytes("Fam\0ily", 7))})), "Fam", "", "",
                "Fam");
}

TEST(EightBitRecords, TextIsCutAt1023Bytes) {
    Bytes long_copyright;
    for (int i = 0; i < 1500; ++i)
        long_copyright.push_back(static_cast<char>('a' + i % 26));
    const Props props = Read(FontWithNames(MacNames(long_copyright, "F", "N", "T")));
    EXPECT_EQ(props.result, 1);
    EXPECT_EQ(props.copyright, long_copyright.substr(0, 1023));
    EXPECT_EQ(props.family, "F");
}

TEST(EightBitRecords, BytesAbove127PassUnchanged) {
    const Bytes text = "Caf\xE9 \xA9\x80\xFF";
    ExpectNames(Read(FontWithNames(MacNames(text, "F\xE8", "N", "T"))), "N", text, "T", "F\xE8");
}

TEST(EightBitRecords, MacintoshNamesWinOverWindowsCopies) {
    // Windows records first: their UTF-16 texts begin with a zero byte and are passed over.
    std::vector<NameRecord> records = {
        WindowsName(kCopyrightId, u"Win C"), WindowsName(kFamilyId, u"Win F"),
        WindowsName(kFullNameId, u"Win N"), WindowsName(kTrademarkId, u"Win T")};
    for (const NameRecord& record : MacNames("Mac C", "Mac F", "Mac N", "Mac T"))
        records.push_back(record);
    ExpectNames(Read(FontWithNames(records)), "Mac N", "Mac C", "Mac T", "Mac F");
}

TEST(EightBitRecords, FamilyFromMacintoshKeepsWindowsNamesOut) {
    // An 8-bit family decides: the other names come from the 8-bit pass alone.
    ExpectNames(Read(FontWithNames({WindowsName(kFullNameId, u"Win Full"),
                                    WindowsName(kCopyrightId, u"Win C"),
                                    MacName(kFamilyId, "Mac Family")})),
                "Mac Family", "", "", "Mac Family");
}

TEST(EightBitRecords, Utf16TextWithNonZeroHighByteIsTakenBytewise) {
    // U+4E2D U+0041: bytes 4E 2D 00 41, so the 8-bit text is "N-".
    ExpectNames(Read(FontWithNames({WindowsName(kFamilyId, u"\u4E2DA")})), "N-", "", "", "N-");
}

// --- Fonts with Windows Unicode names only ---

TEST(WindowsUnicodeRecords, AreReadWhenNoEightBitFamilyExists) {
    ExpectNames(
        Read(FontWithNames({WindowsName(kCopyrightId, u"Copyright 2011 Someone"),
                            WindowsName(kFamilyId, u"Sans"), WindowsName(kFullNameId, u"Sans Bold"),
                            WindowsName(kTrademarkId, u"Sans is a mark")})),
        "Sans Bold", "Copyright 2011 Someone", "Sans is a mark", "Sans");
}

TEST(WindowsUnicodeRecords, FullNameFallsBackToFamily) {
    ExpectNames(Read(FontWithNames({WindowsName(kFamilyId, u"Sans")})), "Sans", "", "", "Sans");
}

TEST(WindowsUnicodeRecords, UsEnglishWinsElseFirstInFileOrder) {
    ExpectNames(Read(FontWithNames({WindowsName(kFamilyId, u"Deutsch", 0x407),
                                    WindowsName(kFamilyId, u"English", 0x409),
                                    WindowsName(kFamilyId, u"British", 0x809)})),
                "English", "", "", "English");
    ExpectNames(Read(FontWithNames({WindowsName(kFamilyId, u"Deutsch", 0x407),
                                    WindowsName(kFamilyId, u"Francais", 0x40C)})),
                "Deutsch", "", "", "Deutsch");
}

TEST(WindowsUnicodeRecords, FullRepertoireEncodingCounts) {
    ExpectNames(Read(FontWithNames({WindowsName(kFamilyId, u"Wide", 0x409, 10)})), "Wide", "", "",
                "Wide");
}

TEST(WindowsUnicodeRecords, OtherPlatformsAndEncodingsAreNotRead) {
    NameRecord unicode_platform = WindowsName(kFamilyId, u"Unicode");
    unicode_platform.platform_id = 0;
    unicode_platform.encoding_id = 3;
    ExpectRejected(Read(FontWithNames({unicode_platform})));
    ExpectRejected(Read(FontWithNames({WindowsName(kFamilyId, u"Symbol", 0x409, 0)})));
}

TEST(WindowsUnicodeRecords, TakeOverFromAnEightBitPassWithoutFamily) {
    // The 8-bit pass found a copyright but no family; the Windows names are read
    // afresh, all four together.
    ExpectNames(
        Read(FontWithNames({MacName(kCopyrightId, "Mac C"), WindowsName(kCopyrightId, u"Win C"),
                            WindowsName(kFamilyId, u"Win F")})),
        "Win F", "Win C", "", "Win F");
}

TEST(WindowsUnicodeRecords, TextEndsAtZeroUnitAndEmptyTextsArePassedOver) {
    ExpectNames(Read(FontWithNames({WindowsName(kFamilyId, u""),
                                    WindowsName(kFamilyId, std::u16string(u"\0Hidden", 7)),
                                    WindowsName(kFamilyId, std::u16string(u"Vis\0ible", 8))})),
                "Vis", "", "", "Vis");
}

TEST(WindowsUnicodeRecords, OddTrailingByteIsDropped) {
    NameRecord record = WindowsName(kFamilyId, u"Odd");
    record.text.push_back('X');
    ExpectNames(Read(FontWithNames({record})), "Odd", "", "", "Odd");
}

TEST(WindowsUnicodeRecords, TextIsCutAt1023Bytes) {
    std::u16string long_copyright;
    for (int i = 0; i < 1500; ++i)
        long_copyright.push_back(static_cast<char16_t>(u'a' + i % 26));
    const Props props = Read(
        FontWithNames({WindowsName(kCopyrightId, long_copyright), WindowsName(kFamilyId, u"F")}));
    EXPECT_EQ(props.result, 1);
    ASSERT_EQ(props.copyright.size(), 1023u);
    EXPECT_EQ(props.copyright, std::string(long_copyright.begin(), long_copyright.begin() + 1023));
}

TEST(WindowsUnicodeRecords, ConvertToAnsiWithQuestionMarks) {
    if (!fonttest::AnsiIsWestern())
        GTEST_SKIP() << "the ANSI code page here is not Western European";
    // e-acute is held by the code page, CJK is not.
    ExpectNames(Read(FontWithNames({WindowsName(kFamilyId, u"Caf\u00E9 \u4E2D!")})), "Caf\xE9 ?!",
                "", "", "Caf\xE9 ?!");
}

// --- Data that lies partly or wholly past the end of the file ---

TEST(OutsideTheFile, DirectoryEntryPartlyOutsideIsAbsent) {
    Bytes image;
    PutU32(image, kTrueType);
    PutU16(image, 1);
    image += Bytes(6, '\0');
    image += "name";
    PutU32(image, 0); // the entry ends after its checksum
    ExpectRejected(Read(image));
}

TEST(OutsideTheFile, NumTablesBeyondTheFileEndsTheScan) {
    Font font;
    font.tables.push_back({"cmap", Bytes(4, '\0'), {}});
    font.num_tables = 500;
    ExpectRejected(Read(BuildFont(font)));
}

TEST(OutsideTheFile, NamingTableOutsideIsAbsent) {
    Font far_away;
    far_away.tables.push_back(
        {"name", EncodeNameTable({MacNames("C", "F", "N", "T"), {}, {}}), 0xFFFFFFF0u});
    ExpectRejected(Read(BuildFont(far_away)));

    // The header's last bytes past the end.
    Font cut;
    cut.tables.push_back({"name", Bytes("\0\0\0", 3), {}});
    ExpectRejected(Read(BuildFont(cut)));
}

TEST(OutsideTheFile, RecordPartlyOutsideIsAbsentWhileEarlierOnesCount) {
    // stringOffset 0, so each text is read from the record's own language field
    // ("AB" and "CD"); the third record is cut by the end of the file.
    Bytes table;
    PutU16(table, 0);
    PutU16(table, 3);
    PutU16(table, 0);
    for (const auto& [language, name_id, offset] :
         {std::tuple<std::uint16_t, std::uint16_t, std::uint16_t>{0x4142, kFamilyId, 10},
          {0x4344, kFullNameId, 22}}) {
        PutU16(table, 1);
        PutU16(table, 0);
        PutU16(table, language);
        PutU16(table, name_id);
        PutU16(table, 2);
        PutU16(table, offset);
    }
    PutU16(table, 1);
    PutU16(table, 0);
    PutU16(table, 0x4546);
    PutU16(table, kCopyrightId);
    Font font;
    font.tables.push_back({"name", table, {}});
    ExpectNames(Read(BuildFont(font)), "CD", "", "", "AB");
}

TEST(OutsideTheFile, CountBeyondTheFileKeepsTheRecordsInside) {
    // The naming table ends the file; its count claims far more records than it holds.
    auto font_with_count = [](std::vector<NameRecord> records) {
        const auto real_count = static_cast<std::uint16_t>(records.size());
        NameTable table{std::move(records), 40000, static_cast<std::uint16_t>(6 + 12 * real_count)};
        Font font;
        font.tables.push_back({"name", EncodeNameTable(table), {}});
        return BuildFont(font);
    };
    ExpectNames(Read(font_with_count({MacName(kCopyrightId, "C"), MacName(kFamilyId, "F")})), "F",
                "C", "", "F");
    ExpectNames(Read(font_with_count({WindowsName(kFamilyId, u"W")})), "W", "", "", "W");
}

TEST(OutsideTheFile, TextRunningPastTheEndIsCutThere) {
    NameRecord family = MacName(kFamilyId, "Family");
    family.length = 5000;
    ExpectNames(Read(FontWithNames({MacName(kCopyrightId, "C"), family})), "Family", "C", "",
                "Family");

    NameRecord windows_family = WindowsName(kFamilyId, u"Wide");
    windows_family.length = 5000;
    ExpectNames(Read(FontWithNames({windows_family})), "Wide", "", "", "Wide");
}

TEST(OutsideTheFile, TextWhollyOutsideIsPassedOver) {
    NameRecord lost = MacName(kFamilyId, "");
    lost.length = 10;
    lost.offset = 60000;
    ExpectNames(Read(FontWithNames({lost, MacName(kFamilyId, "Found")})), "Found", "", "", "Found");
    ExpectRejected(Read(FontWithNames({lost})));

    NameRecord windows_lost = WindowsName(kFamilyId, u"");
    windows_lost.length = 10;
    windows_lost.offset = 60000;
    ExpectRejected(Read(FontWithNames({windows_lost})));
}

} // namespace
