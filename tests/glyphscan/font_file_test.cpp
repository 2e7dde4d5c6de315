// The program's font reader, natively under the sanitizers: formats and faces,
// the same record choice as glyphscan with UTF-16 kept, bitmap fonts, bounds,
// and the names Windows gives font files.
#include "font_builder.h"
#include "font_file.h"
#include "font_file_posix.h"
#include "font_files.h"
#include "font_naming.h"
#include "name_reader.h"
#include "poisoned_prefix.h"
#include "posix_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace nq::fontfile {
// Failure messages show the text: bytes, or code units in hexadecimal.
void PrintTo(const FontText& text, std::ostream* out) {
    if (text.Encoding == TextEncoding::kAnsi) {
        *out << "ANSI \"" << text.Ansi << '"';
        return;
    }
    *out << "UTF-16";
    for (char16_t unit : text.Utf16)
        *out << ' ' << std::hex << static_cast<unsigned>(unit) << std::dec;
}
} // namespace nq::fontfile

namespace {

using namespace fontbuild;
using nq::fontfile::FontFace;
using nq::fontfile::FontFileInfo;
using nq::fontfile::FontFormat;
using nq::fontfile::FontText;
using nq::fontfile::TextEncoding;

// Reads the first size bytes of image with everything after them poisoned.
std::optional<FontFileInfo> ReadPrefix(const Bytes& image, std::size_t size) {
    const fonttest::PoisonedPrefix bytes(image, size);
    return nq::fontfile::ReadFontImage(bytes.data(), bytes.size());
}

std::optional<FontFileInfo> Read(const Bytes& image) {
    return ReadPrefix(image, image.size());
}

// Stands in for the ANSI code page, as glyphscan's POSIX entry does.
std::string Latin1(const FontText& text) {
    if (text.Encoding == TextEncoding::kAnsi)
        return text.Ansi;
    std::string out(text.Utf16.size(), '\0');
    out.resize(
        glyphscan::Utf16ToLatin1(text.Utf16.data(), text.Utf16.size(), out.data(), out.size()));
    return out;
}

std::vector<std::string> FullNames(const FontFileInfo& info) {
    std::vector<std::string> names;
    for (const FontFace& face : info.Faces)
        names.push_back(Latin1(face.FullName));
    return names;
}

FontText Utf16(const std::u16string& units) {
    FontText text;
    text.Encoding = TextEncoding::kUtf16;
    text.Utf16 = units;
    return text;
}

FontText Ansi(const std::string& bytes) {
    FontText text;
    text.Ansi = bytes;
    return text;
}

// What glyphscan reads from the same image, slot by slot.
struct GlyphscanNames {
    int flag;
    std::string slots[glyphscan::kSlotCount];
};
GlyphscanNames ReadWithGlyphscan(const Bytes& image) {
    std::vector<char> block(glyphscan::kBlockSize, 0);
    GlyphscanNames names;
    names.flag = glyphscan::ReadNames(reinterpret_cast<const unsigned char*>(image.data()),
                                      image.size(), block.data(), glyphscan::Utf16ToLatin1);
    for (std::size_t slot = 0; slot < glyphscan::kSlotCount; ++slot)
        names.slots[slot] = std::string(block.data() + slot * glyphscan::kSlotSize);
    return names;
}

void ExpectSameAsGlyphscan(const Bytes& image) {
    const GlyphscanNames expected = ReadWithGlyphscan(image);
    const std::optional<FontFileInfo> info = Read(image);
    ASSERT_EQ(info.has_value(), expected.flag == 1);
    if (!info)
        return;
    ASSERT_EQ(info->Faces.size(), 1u);
    const FontFace& face = info->Faces[0];
    EXPECT_EQ(Latin1(face.FullName), expected.slots[glyphscan::kFullName]);
    EXPECT_EQ(Latin1(face.Copyright), expected.slots[glyphscan::kCopyright]);
    EXPECT_EQ(Latin1(face.Trademark), expected.slots[glyphscan::kTrademark]);
    EXPECT_EQ(Latin1(face.Family), expected.slots[glyphscan::kFamily]);
}

const std::u16string kJapaneseFamily = u"\u660E\u671D\u4F53";            // 明朝体
const std::u16string kJapaneseFull = u"\u660E\u671D\u4F53 \u592A\u5B57"; // 明朝体 太字

std::vector<NameRecord> CjkWindowsNames() {
    return {WindowsName(kFamilyId, kJapaneseFamily, 0x411),
            WindowsName(kFullNameId, kJapaneseFull, 0x411),
            WindowsName(kCopyrightId, u"\u682A\u5F0F\u4F1A\u793E \u00A9 2024", 0x411)};
}

Bytes TwoFaceCollection(std::uint16_t version = 1, bool cff = false) {
    Collection collection;
    collection.major_version = version;
    collection.faces = {
        FaceWithNames(MacNames("C1", "Cambria", "Cambria", "T1"), cff),
        FaceWithNames({WindowsName(kFamilyId, u"Cambria Math"), WindowsName(kCopyrightId, u"C2")},
                      cff)};
    return BuildCollection(collection);
}

BitmapFontFile SansBitmapFont() {
    BitmapFontFile file;
    file.fonts = {{"MS Sans Serif", "Copyright one", 8, 13, {}},
                  {"MS Sans Serif", "Copyright two", 10, 16, {}},
                  {"Small Fonts", "Copyright three", 6, 8, {}}};
    return file;
}

// --- Formats and faces ---

TEST(FontFormats, EachFormatGivesItsFacesAndFullNames) {
    struct Case {
        const char* what;
        Bytes image;
        FontFormat format;
        std::vector<std::string> full_names;
        std::vector<bool> cff;
    };
    const Case cases[] = {
        {"TrueType",
         FontWithNames(MacNames("C", "Family", "Full", "T")),
         FontFormat::kTrueType,
         {"Full"},
         {false}},
        {"OpenType CFF",
         OpenTypeCffWithNames(MacNames("C", "Family", "Full", "T")),
         FontFormat::kOpenTypeCff,
         {"Full"},
         {true}},
        {"collection v1",
         TwoFaceCollection(1),
         FontFormat::kCollection,
         {"Cambria", "Cambria Math"},
         {false, false}},
        {"collection v2",
         TwoFaceCollection(2),
         FontFormat::kCollection,
         {"Cambria", "Cambria Math"},
         {false, false}},
        {"CFF collection",
         TwoFaceCollection(1, true),
         FontFormat::kCollection,
         {"Cambria", "Cambria Math"},
         {true, true}},
        {"bitmap",
         BuildBitmapFontFile(SansBitmapFont()),
         FontFormat::kBitmap,
         {"MS Sans Serif", "Small Fonts"},
         {false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<FontFileInfo> info = Read(c.image);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->Format, c.format);
        EXPECT_EQ(FullNames(*info), c.full_names);
        std::vector<bool> cff;
        for (const FontFace& face : info->Faces)
            cff.push_back(face.CffOutlines);
        EXPECT_EQ(cff, c.cff);
    }
}

TEST(FontFormats, CollectionFacesKeepTheirOwnNames) {
    const std::optional<FontFileInfo> info = Read(TwoFaceCollection());
    ASSERT_TRUE(info);
    ASSERT_EQ(info->Faces.size(), 2u);
    EXPECT_EQ(info->Faces[0].Copyright, Ansi("C1"));
    EXPECT_EQ(info->Faces[0].Trademark, Ansi("T1"));
    EXPECT_EQ(info->Faces[1].Family, Utf16(u"Cambria Math"));
    EXPECT_EQ(info->Faces[1].FullName, Utf16(u"Cambria Math")); // from the family
    EXPECT_EQ(info->Faces[1].Copyright, Utf16(u"C2"));
    EXPECT_TRUE(info->Faces[1].Trademark.Empty());
}

TEST(FontFormats, WhatWindowsCannotLoadOrIsBrokenIsRejected) {
    auto with_version = [](std::uint32_t version) {
        Font font = FaceWithNames(MacNames("C", "F", "N", "T"));
        font.version = version;
        return BuildFont(font);
    };
    auto collection = [](std::function<void(Collection&)> change) {
        Collection c;
        c.faces = {FaceWithNames(MacNames("C", "F", "N", "T")),
                   FaceWithNames(MacNames("C", "G", "M", "T"))};
        change(c);
        return BuildCollection(c);
    };
    Bytes version3 = TwoFaceCollection();
    version3[5] = 3;
    Bytes pe_executable = BuildBitmapFontFile(SansBitmapFont());
    pe_executable.replace(64, 2, "PE");
    BitmapFontFile far_ne = SansBitmapFont();
    far_ne.ne_offset = 0x7FFFFFF0;
    BitmapFontFile wide_shift = SansBitmapFont();
    wide_shift.align_shift = 17;
    BitmapFontFile no_fonts;
    no_fonts.font_directory = false;

    const std::pair<const char*, Bytes> cases[] = {
        {"Macintosh tag true", with_version(kAppleTrueType)},
        {"sfnt version 2.0", with_version(0x00020000)},
        {"empty", ""},
        {"three bytes", Bytes("OTT", 3)},
        {"no family", FontWithNames({MacName(kFullNameId, "N")})},
        {"collection version 3", version3},
        {"collection of no faces", collection([](Collection& c) { c.num_fonts = 0; })},
        {"collection counting past its offsets",
         collection([](Collection& c) { c.num_fonts = 400; })},
        {"collection counting too many faces",
         collection([](Collection& c) { c.num_fonts = nq::fontfile::kMaxFaces + 1; })},
        {"face offset past the end", collection([](Collection& c) {
             c.face_offset_changes = {0, 0x10000000};
         })},
        {"face offset into a table", collection([](Collection& c) {
             c.face_offset_changes = {0, 2};
         })},
        {"face tagged true",
         collection([](Collection& c) { c.faces[1].version = kAppleTrueType; })},
        {"nested collection", collection([](Collection& c) { c.faces[0].version = kCollection; })},
        {"face without family", collection([](Collection& c) {
             c.faces[1] = FaceWithNames({MacName(kCopyrightId, "C")});
         })},
        {"PE executable", pe_executable},
        {"NE header past the end", BuildBitmapFontFile(far_ne)},
        {"alignment shift too wide", BuildBitmapFontFile(wide_shift)},
        {"executable without fonts", BuildBitmapFontFile(no_fonts)},
    };
    for (const auto& [what, image] : cases)
        EXPECT_FALSE(Read(image)) << what;
}

// --- The same records as glyphscan, UTF-16 kept ---

TEST(NameChoice, TrueTypeNamesAreGlyphscansNames) {
    std::u16string long_units;
    for (int i = 0; i < 1500; ++i)
        long_units.push_back(static_cast<char16_t>(u'a' + i % 26));
    const std::vector<std::vector<NameRecord>> cases = {
        MacNames("Copyright", "Family", "Family Bold", "TM"),
        {MacName(kFamilyId, "Only Family")},
        {MacName(kFamilyId, Bytes("\0Hidden", 7)), MacName(kFamilyId, "Visible"),
         MacName(kCopyrightId, Bytes(1500, 'c'))},
        {WindowsName(kFullNameId, u"Win Full"), MacName(kFamilyId, "Mac Family")},
        {WindowsName(kFamilyId, u"Deutsch", 0x407), WindowsName(kFamilyId, u"English"),
         WindowsName(kFamilyId, u"British", 0x809), WindowsName(kTrademarkId, u"TM")},
        {WindowsName(kFamilyId, u"Deutsch", 0x407), WindowsName(kFamilyId, u"Francais", 0x40C)},
        {MacName(kCopyrightId, "Mac C"), WindowsName(kCopyrightId, u"Win C"),
         WindowsName(kFamilyId, u"Win F", 0x409, 10)},
        {WindowsName(kFamilyId, u"Symbol", 0x409, 0)},
        {WindowsName(kCopyrightId, long_units), WindowsName(kFamilyId, u"F")},
        {WindowsName(kFamilyId, std::u16string(u"Vis\0ible", 8))},
        {MacName(kCopyrightId, "C"), MacName(kTrademarkId, "T")},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectSameAsGlyphscan(FontWithNames(cases[i]));
    }
}

TEST(NameChoice, DebianTrueTypeFilesReadAsGlyphscanReadsThem) {
    for (const char* folder :
         {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/truetype/liberation2",
          "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF",
          "/usr/share/fonts/truetype/noto"}) {
        const auto files = fonttest::HostFiles(folder, ".ttf");
        EXPECT_FALSE(files.empty()) << folder;
        for (const std::string& file : files) {
            SCOPED_TRACE(file);
            const fonttest::Props expected = fonttest::ReadProps(file);
            const std::optional<FontFileInfo> info = nq::fontfile::ReadFontFilePosix(file.c_str());
            ASSERT_EQ(info.has_value(), expected.result == 1);
            if (!info)
                continue;
            const FontFace& face = info->Faces[0];
            EXPECT_EQ(Latin1(face.FullName), expected.full_name);
            EXPECT_EQ(Latin1(face.Copyright), expected.copyright);
            EXPECT_EQ(Latin1(face.Trademark), expected.trademark);
            EXPECT_EQ(Latin1(face.Family), expected.family);
        }
    }
}

TEST(NameChoice, Utf16RecordsKeepTheirText) {
    // Only Windows CJK names: their first bytes are not zero, so the 8-bit rule
    // takes them; glyphscan turns them into bytes, the program keeps UTF-16.
    const std::optional<FontFileInfo> cjk = Read(FontWithNames(CjkWindowsNames()));
    ASSERT_TRUE(cjk);
    EXPECT_EQ(cjk->Faces[0].Family, Utf16(kJapaneseFamily));
    EXPECT_EQ(cjk->Faces[0].FullName, Utf16(kJapaneseFull));
    EXPECT_EQ(cjk->Faces[0].Copyright, Utf16(u"\u682A\u5F0F\u4F1A\u793E \u00A9 2024"));
    EXPECT_EQ(ReadWithGlyphscan(FontWithNames(CjkWindowsNames())).slots[glyphscan::kFamily],
              "\x66\x0E\x67\x1D\x4F\x53");

    struct Case {
        const char* what;
        NameRecord record;
        FontText family;
    };
    NameRecord unicode_platform = WindowsName(kFamilyId, u"\u4E2DA");
    unicode_platform.platform_id = 0;
    unicode_platform.encoding_id = 3;
    NameRecord odd_byte = WindowsName(kFamilyId, u"\u4E2D");
    odd_byte.text.push_back('X');
    NameRecord single_byte = WindowsName(kFamilyId, u"");
    single_byte.text = "Q";
    std::u16string pairs;
    for (int i = 0; i < 600; ++i)
        pairs += u"\U0001F600";
    const Case cases[] = {
        {"zero low byte inside", WindowsName(kFamilyId, u"\u4E00\u4E8C"), Utf16(u"\u4E00\u4E8C")},
        {"Unicode platform", unicode_platform, Utf16(u"\u4E2DA")},
        {"odd trailing byte", odd_byte, Utf16(u"\u4E2D")},
        {"single byte", single_byte, Ansi("Q")},
        {"cut between surrogate pairs", WindowsName(kFamilyId, pairs),
         Utf16(pairs.substr(0, 1022))},
        {"Unicode pass cut", WindowsName(kFamilyId, std::u16string(1100, u'x')),
         Utf16(std::u16string(1023, u'x'))},
        {"Macintosh bytes", MacName(kFamilyId, "Caf\x8E"), Ansi("Caf\x8E")},
    };
    for (const Case& c : cases) {
        const std::optional<FontFileInfo> info = Read(FontWithNames({c.record}));
        ASSERT_TRUE(info) << c.what;
        EXPECT_EQ(info->Faces[0].Family, c.family) << c.what;
    }
}

// --- Bitmap fonts ---

TEST(BitmapFonts, FacesSizesAndCopyrightsComeFromTheFontResources) {
    const std::optional<FontFileInfo> info = Read(BuildBitmapFontFile(SansBitmapFont()));
    ASSERT_TRUE(info);
    ASSERT_EQ(info->Faces.size(), 2u);
    const FontFace& sans = info->Faces[0];
    EXPECT_EQ(sans.Family, Ansi("MS Sans Serif"));
    EXPECT_EQ(sans.Copyright, Ansi("Copyright one"));
    ASSERT_EQ(sans.BitmapSizes.size(), 2u);
    EXPECT_EQ(sans.BitmapSizes[1].Points, 10);
    EXPECT_EQ(sans.BitmapSizes[1].PixelHeight, 16);
    EXPECT_EQ(info->Faces[1].Copyright, Ansi("Copyright three"));
}

TEST(BitmapFonts, ResourceQuirks) {
    struct Case {
        const char* what;
        std::function<void(BitmapFontFile&)> change;
        std::vector<std::string> faces; // empty: rejected
    };
    const Case cases[] = {
        {"directory alone",
         [](BitmapFontFile& f) { f.font_resources = false; },
         {"MS Sans Serif", "Small Fonts"}},
        {"fonts alone",
         [](BitmapFontFile& f) { f.font_directory = false; },
         {"MS Sans Serif", "Small Fonts"}},
        {"byte alignment",
         [](BitmapFontFile& f) { f.align_shift = 0; },
         {"MS Sans Serif", "Small Fonts"}},
        {"face offset outside its resource",
         [](BitmapFontFile& f) { f.fonts[0].face_offset = 5000; },
         {"MS Sans Serif", "Small Fonts"}},
        {"every face offset outside, directory stands in",
         [](BitmapFontFile& f) {
             for (BitmapFont& font : f.fonts)
                 font.face_offset = 0xFFFFFFFF;
         },
         {"MS Sans Serif", "Small Fonts"}},
        {"face offset onto a zero byte",
         [](BitmapFontFile& f) {
             f.font_directory = false;
             f.fonts = {{"Hidden", "", 8, 8, 90}};
         },
         {}},
        {"copyright of 60 bytes without terminator",
         [](BitmapFontFile& f) { f.fonts[0].copyright = Bytes(70, 'c'); },
         {"MS Sans Serif", "Small Fonts"}},
    };
    for (const Case& c : cases) {
        BitmapFontFile file = SansBitmapFont();
        c.change(file);
        const std::optional<FontFileInfo> info = Read(BuildBitmapFontFile(file));
        EXPECT_EQ(info ? FullNames(*info) : std::vector<std::string>{}, c.faces) << c.what;
    }
}

// --- Never a read outside the image ---

TEST(OutsideTheImage, EveryPrefixOfEveryFormatStaysInside) {
    BitmapFontFile byte_aligned = SansBitmapFont();
    byte_aligned.align_shift = 0;
    const Bytes images[] = {TwoFaceCollection(2), OpenTypeCffWithNames(CjkWindowsNames()),
                            BuildBitmapFontFile(byte_aligned)};
    for (const Bytes& image : images) {
        for (std::size_t size = 0; size <= image.size(); ++size) {
            SCOPED_TRACE(size);
            const std::optional<FontFileInfo> info = ReadPrefix(image, size);
            if (info)
                for (const FontFace& face : info->Faces)
                    EXPECT_FALSE(face.Family.Empty());
        }
        EXPECT_TRUE(ReadPrefix(image, image.size()));
    }
}

TEST(OutsideTheImage, ResourceRunningPastTheEndIsCutThere) {
    BitmapFontFile file;
    file.font_directory = false;
    file.align_shift = 0;
    file.fonts = {{"Cut Face", "", 8, 8, {}}};
    Bytes image = BuildBitmapFontFile(file);
    image.resize(image.size() - 3); // "Cut Fa": its end and terminator are gone
    const std::optional<FontFileInfo> info = Read(image);
    ASSERT_TRUE(info);
    EXPECT_EQ(FullNames(*info), std::vector<std::string>{"Cut Fa"});
}

// --- Names Windows gives font files ---

TEST(FontNaming, DisplayNameJoinsFaces) {
    EXPECT_EQ(nq::fontfile::JoinFaceNames({"Cambria", "Cambria Math"}), "Cambria & Cambria Math");
    EXPECT_EQ(nq::fontfile::JoinFaceNames({"Arial"}), "Arial");
    EXPECT_EQ(nq::fontfile::JoinFaceNames({"A", "B", "A"}), "A & B & A");
}

TEST(FontNaming, RegistrySuffixFollowsTheOutlines) {
    BitmapFontFile bitmap = SansBitmapFont();
    Collection mixed;
    mixed.faces = {FaceWithNames(MacNames("C", "F", "N", "T"), true),
                   FaceWithNames(MacNames("C", "G", "M", "T"), false)};
    const std::pair<Bytes, const char*> cases[] = {
        {FontWithNames(MacNames("C", "F", "N", "T")), " (TrueType)"},
        {OpenTypeCffWithNames(MacNames("C", "F", "N", "T")), " (OpenType)"},
        {TwoFaceCollection(), " (TrueType)"},
        {TwoFaceCollection(1, true), " (OpenType)"},
        {BuildCollection(mixed), " (TrueType)"},
        {BuildBitmapFontFile(bitmap), " (TrueType)"},
    };
    for (const auto& [image, suffix] : cases) {
        const std::optional<FontFileInfo> info = Read(image);
        ASSERT_TRUE(info);
        EXPECT_STREQ(nq::fontfile::RegistrySuffix(*info), suffix);
    }
}

// --- Files as Debian ships them; names read with an independent tool ---

TEST(RealFontFiles, EveryFormat) {
    struct Case {
        const char* path;
        FontFormat format;
        std::vector<std::string> full_names;
        const char* first_family;
    };
    const Case cases[] = {
        {"/usr/share/fonts/opentype/urw-base35/C059-Roman.otf",
         FontFormat::kOpenTypeCff,
         {"C059 Roman"},
         "C059"},
        {"/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
         FontFormat::kCollection,
         {"WenQuanYi Micro Hei", "WenQuanYi Micro Hei Mono"},
         "WenQuanYi Micro Hei"},
        {"/usr/share/wine/fonts/sserife.fon",
         FontFormat::kBitmap,
         {"MS Sans Serif"},
         "MS Sans Serif"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const std::optional<FontFileInfo> info = nq::fontfile::ReadFontFilePosix(c.path);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->Format, c.format);
        EXPECT_EQ(FullNames(*info), c.full_names);
        EXPECT_EQ(Latin1(info->Faces[0].Family), c.first_family);
    }
    const std::optional<FontFileInfo> sans =
        nq::fontfile::ReadFontFilePosix("/usr/share/wine/fonts/sserife.fon");
    ASSERT_TRUE(sans);
    std::vector<int> points;
    for (const auto& size : sans->Faces[0].BitmapSizes)
        points.push_back(size.Points);
    EXPECT_EQ(points, (std::vector<int>{8, 10, 12}));
}

TEST(RealFontFiles, EveryDebianBitmapAndOpenTypeFileHasFaces) {
    for (const auto& [folder, suffix] :
         {std::pair<const char*, const char*>{"/usr/share/wine/fonts", ".fon"},
          {"/usr/share/fonts/opentype/urw-base35", ".otf"}}) {
        const auto files = fonttest::HostFiles(folder, suffix);
        EXPECT_GE(files.size(), 10u) << folder;
        for (const std::string& file : files) {
            const std::optional<FontFileInfo> info = nq::fontfile::ReadFontFilePosix(file.c_str());
            ASSERT_TRUE(info) << file;
            EXPECT_FALSE(info->Faces[0].Family.Empty()) << file;
        }
    }
}

TEST(RealFontFiles, PathsThatAreNoFontFileGiveNothing) {
    const fonttest::TempFile empty("");
    for (const char* path : {"/nonexistent/font.ttf", "/usr/share/fonts", empty.path().c_str()})
        EXPECT_FALSE(nq::fontfile::ReadFontFilePosix(path)) << path;
}

} // namespace
