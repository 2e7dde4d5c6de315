#include "catalogue_cache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

using nq::catalogue::CacheChecksum;
using nq::catalogue::CachedFont;
using nq::catalogue::CatalogueCache;
using nq::catalogue::FileStamp;
using nq::fontfile::FontFormat;

CachedFont Font(const std::string& name, FontFormat format = FontFormat::kTrueType,
                std::uint32_t faces = 1) {
    CachedFont font;
    font.Usable = true;
    font.Format = format;
    font.FaceCount = faces;
    font.CffOutlines = format == FontFormat::kOpenTypeCff;
    font.Name = name;
    font.Copyright = "(c) " + name;
    font.Trademark = name + " is a trademark";
    font.Family = name.substr(0, name.find(' '));
    return font;
}

std::optional<CatalogueCache> Parse(const std::string& bytes) {
    return CatalogueCache::Parse(reinterpret_cast<const unsigned char*>(bytes.data()),
                                 bytes.size());
}

// The file format written out by hand, independently of Serialise, so that a
// change of the format without a new version number fails here.
struct Bytes {
    std::string out;

    Bytes& Int(std::uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<char>(value >> (8 * i)));
        return *this;
    }
    Bytes& Text(const std::string& text) {
        Int(text.size(), 4);
        out += text;
        return *this;
    }
    Bytes& Header(std::uint32_t count, std::uint32_t version = nq::catalogue::kCacheFormatVersion) {
        out.append("NQcat\r\n\x1A", 8);
        return Int(version, 4).Int(count, 4);
    }
    Bytes& Entry(const std::string& path, const FileStamp& stamp, std::uint8_t flags,
                 std::uint8_t format, std::uint32_t faces, const std::vector<std::string>& texts) {
        Text(path).Int(stamp.Size, 8).Int(stamp.LastWrite, 8).Int(flags, 1).Int(format, 1);
        Int(faces, 4);
        for (const std::string& text : texts)
            Text(text);
        return *this;
    }
    std::string Sealed() const {
        std::string sealed = out;
        Bytes checksum;
        checksum.Int(CacheChecksum(reinterpret_cast<const unsigned char*>(out.data()), out.size()),
                     8);
        return sealed + checksum.out;
    }
};

const FileStamp kStamp{123456, 0x01D9'0000'1234'5678ULL};

Bytes ValidEntry(Bytes bytes, const std::string& path) {
    return bytes.Entry(path, kStamp, 1, 0, 1, {"Name", "C", "T", "F"});
}

} // namespace

TEST(CatalogueCache, FindsAFileOnlyWhileItsSizeAndTimeAreTheSame) {
    CatalogueCache cache;
    cache.Put("C:\\Fonts\\Sans\\Sans.ttf", kStamp, Font("Sans Regular"));
    struct Case {
        const char* path;
        FileStamp stamp;
        bool hit;
    } const cases[] = {
        {"C:\\Fonts\\Sans\\Sans.ttf", kStamp, true},
        {"c:\\FONTS\\sans\\SANS.TTF", kStamp, true}, // Windows paths ignore case
        {"C:\\Fonts\\Sans\\Sans.ttf", {kStamp.Size + 1, kStamp.LastWrite}, false},
        {"C:\\Fonts\\Sans\\Sans.ttf", {kStamp.Size - 1, kStamp.LastWrite}, false},
        {"C:\\Fonts\\Sans\\Sans.ttf", {kStamp.Size, kStamp.LastWrite + 1}, false},
        {"C:\\Fonts\\Sans\\Sans.ttf", {kStamp.Size, 0}, false},
        {"C:\\Fonts\\Sans\\Sans2.ttf", kStamp, false},
        {"C:\\Fonts\\Sans\\Sans.tt", kStamp, false},
        {"", kStamp, false},
    };
    for (const Case& c : cases) {
        const CachedFont* found = cache.Find(c.path, c.stamp);
        EXPECT_EQ(found != nullptr, c.hit) << c.path;
        if (found && c.hit) {
            EXPECT_EQ(*found, Font("Sans Regular"));
        }
    }
    // Beyond A to Z no letter is folded: a miss costs a re-read, never a wrong name.
    cache.Put("C:\\Fonts\\\xC3\x89t\xC3\xA9.ttf", kStamp, Font("Ete"));
    EXPECT_EQ(cache.Find("C:\\Fonts\\\xC3\xA9t\xC3\xA9.ttf", kStamp), nullptr);
}

TEST(CatalogueCache, PutReplacesTheEntryAndTracksChanges) {
    CatalogueCache cache;
    EXPECT_FALSE(cache.Changed());
    cache.Put("C:\\F\\a.ttf", kStamp, Font("Old"));
    EXPECT_TRUE(cache.Changed());
    cache.MarkSaved();
    cache.Put("C:\\F\\a.ttf", kStamp, Font("Old"));
    EXPECT_FALSE(cache.Changed()) << "storing what is stored already changes nothing";

    const FileStamp newer{kStamp.Size, kStamp.LastWrite + 10'000'000};
    cache.Put("C:\\F\\A.TTF", newer, Font("New"));
    EXPECT_TRUE(cache.Changed());
    EXPECT_EQ(cache.Size(), 1u);
    EXPECT_EQ(cache.Find("C:\\F\\a.ttf", kStamp), nullptr);
    ASSERT_NE(cache.Find("C:\\F\\a.ttf", newer), nullptr);
    EXPECT_EQ(cache.Find("C:\\F\\a.ttf", newer)->Name, "New");

    // A file that is no font is remembered, with nothing else kept of it.
    CachedFont notAFont = Font("Leftover");
    notAFont.Usable = false;
    cache.Put("C:\\F\\text.ttf", kStamp, notAFont);
    ASSERT_NE(cache.Find("C:\\F\\text.ttf", kStamp), nullptr);
    EXPECT_EQ(*cache.Find("C:\\F\\text.ttf", kStamp), CachedFont{});

    cache.MarkSaved();
    cache.Put("", kStamp, Font("Nowhere"));
    EXPECT_EQ(cache.Size(), 2u);
    EXPECT_FALSE(cache.Changed());
}

TEST(CatalogueCache, DropsTheEntriesOfFilesAListingNoLongerFinds) {
    CatalogueCache cache;
    for (const char* path :
         {"C:\\Fonts\\A\\one.ttf", "C:\\Fonts\\A\\two.ttf", "C:\\Fonts\\A\\three.fon",
          "C:\\Fonts\\A\\Sub\\four.ttf", "C:\\Fonts\\AB\\five.ttf", "C:\\Fonts\\six.ttf"})
        cache.Put(path, kStamp, Font(path));
    cache.MarkSaved();

    // The listing saw "one" (spelled in other case) and "three": "two" is gone.
    EXPECT_EQ(
        cache.DropMissing("C:\\fonts\\a\\", {"C:\\FONTS\\A\\ONE.TTF", "C:\\Fonts\\A\\three.fon",
                                             "C:\\Fonts\\A\\new.ttf"}),
        1u);
    EXPECT_TRUE(cache.Changed());
    EXPECT_EQ(cache.Find("C:\\Fonts\\A\\two.ttf", kStamp), nullptr);
    for (const char* kept :
         {"C:\\Fonts\\A\\one.ttf", "C:\\Fonts\\A\\three.fon", "C:\\Fonts\\A\\Sub\\four.ttf",
          "C:\\Fonts\\AB\\five.ttf", "C:\\Fonts\\six.ttf"})
        EXPECT_NE(cache.Find(kept, kStamp), nullptr) << kept;

    cache.MarkSaved();
    EXPECT_EQ(
        cache.DropMissing("C:\\Fonts\\A", {"C:\\Fonts\\A\\one.ttf", "C:\\Fonts\\A\\three.fon"}),
        0u);
    EXPECT_FALSE(cache.Changed());
    // A folder that is gone (an empty listing) loses all of its entries, and only them.
    EXPECT_EQ(cache.DropMissing("C:\\Fonts\\A\\", {}), 2u);
    EXPECT_EQ(cache.Size(), 3u);
}

TEST(CatalogueCache, RoundTripsManyEntriesByteForByte) {
    CatalogueCache cache;
    const std::vector<std::string> names = {"Sans Regular",
                                            "Caf\xC3\xA9 Bold",
                                            "\xE4\xB8\xAD\xE6\x96\x87 \xE5\xAE\x8B\xE4\xBD\x93",
                                            "\xF0\x9F\x98\x80 Emoji",
                                            "",
                                            std::string(3000, 'x'),
                                            "Tab\tand \"quotes\""};
    const FontFormat formats[] = {FontFormat::kTrueType, FontFormat::kOpenTypeCff,
                                  FontFormat::kCollection, FontFormat::kBitmap};
    for (int i = 0; i < 2000; ++i) {
        const std::string path = "C:\\Fonts\\\xD0\x9A\xD0\xBE\xD0\xBB" + std::to_string(i % 7) +
                                 "\\f" + std::to_string(i) + (i % 3 ? ".ttf" : ".FON");
        CachedFont font = Font(names[i % names.size()], formats[i % 4], 1 + i % 5);
        font.Usable = i % 11 != 0;
        cache.Put(path, {static_cast<std::uint64_t>(i) * 977, ~0ULL - i}, font);
    }
    const std::string bytes = cache.Serialise();
    std::optional<CatalogueCache> parsed = Parse(bytes);
    ASSERT_TRUE(parsed);
    EXPECT_FALSE(parsed->Changed());
    EXPECT_EQ(parsed->Size(), 2000u);
    EXPECT_EQ(parsed->Serialise(), bytes);
    const CachedFont* sample = parsed->Find("c:\\fonts\\\xD0\x9A\xD0\xBE\xD0\xBB"
                                            "2\\F2.TTF",
                                            {2 * 977, ~0ULL - 2});
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(*sample, Font(names[2], FontFormat::kCollection, 3));

    const std::optional<CatalogueCache> empty = Parse(CatalogueCache().Serialise());
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Size(), 0u);
}

TEST(CatalogueCache, WritesTheDocumentedFormat) {
    CatalogueCache cache;
    cache.Put("C:\\F\\b.otf", {7, 9}, Font("B Bold", FontFormat::kOpenTypeCff, 1));
    cache.Put("C:\\F\\a.txt.ttf", {1, 2}, CachedFont{});
    const std::string expected = Bytes()
                                     .Header(2)
                                     .Entry("C:\\F\\a.txt.ttf", {1, 2}, 0, 0, 0, {"", "", "", ""})
                                     .Entry("C:\\F\\b.otf", {7, 9}, 3, 1, 1,
                                            {"B Bold", "(c) B Bold", "B Bold is a trademark", "B"})
                                     .Sealed();
    EXPECT_EQ(cache.Serialise(), expected);
}

TEST(CatalogueCache, RefusesEveryDamagedCopy) {
    CatalogueCache cache;
    cache.Put("C:\\Fonts\\A\\Caf\xC3\xA9.ttf", kStamp, Font("Caf\xC3\xA9 Sans"));
    cache.Put("C:\\Fonts\\A\\b.fon", {1, 2}, Font("Bitmap", FontFormat::kBitmap, 2));
    cache.Put("C:\\Fonts\\A\\text.ttf", {3, 4}, CachedFont{});
    const std::string bytes = cache.Serialise();
    ASSERT_TRUE(Parse(bytes));

    for (std::size_t i = 0; i < bytes.size(); ++i) {
        for (const unsigned char flip : {0x01, 0x80, 0xFF}) {
            std::string damaged = bytes;
            damaged[i] = static_cast<char>(damaged[i] ^ flip);
            EXPECT_FALSE(Parse(damaged)) << "byte " << i << " ^ " << int(flip);
        }
    }
    for (std::size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(Parse(bytes.substr(0, length))) << "first " << length << " bytes";
    EXPECT_FALSE(Parse(bytes + '\0'));
    EXPECT_FALSE(CatalogueCache::Parse(nullptr, 0));
}

// Checksummed like a real file, so that only the reader's checks stand in the way.
TEST(CatalogueCache, RefusesWellSealedFilesThatBreakTheFormat) {
    const std::string a = "C:\\F\\a.ttf";
    const std::string b = "C:\\F\\b.ttf";
    Bytes wrongMagic = ValidEntry(Bytes().Header(1), a);
    wrongMagic.out[0] = 'M';
    // Every fixed field of an entry, then a name length past the end.
    Bytes nameTooLong = Bytes().Header(1).Text(a).Int(1, 8).Int(2, 8).Int(1, 1).Int(0, 1).Int(1, 4);
    struct Case {
        const char* what;
        std::string bytes;
    } const cases[] = {
        {"wrong magic", wrongMagic.Sealed()},
        {"future version", ValidEntry(Bytes().Header(1, 2), a).Sealed()},
        {"older version", ValidEntry(Bytes().Header(1, 0), a).Sealed()},
        {"version far ahead", ValidEntry(Bytes().Header(1, 0xFFFFFFFF), a).Sealed()},
        {"hostile count", ValidEntry(Bytes().Header(0xFFFFFFFF), a).Sealed()},
        {"count one too many", ValidEntry(Bytes().Header(2), a).Sealed()},
        {"count one too few", ValidEntry(ValidEntry(Bytes().Header(1), a), b).Sealed()},
        {"hostile path length", Bytes().Header(1).Int(0xFFFFFFFF, 4).Sealed()},
        {"name longer than the file", nameTooLong.Int(0x7FFFFFFF, 4).Sealed()},
        {"empty path", ValidEntry(Bytes().Header(1), "").Sealed()},
        {"unknown flag", Bytes().Header(1).Entry(a, kStamp, 5, 0, 1, {"N", "", "", ""}).Sealed()},
        {"unknown format", Bytes().Header(1).Entry(a, kStamp, 1, 4, 1, {"N", "", "", ""}).Sealed()},
        {"names kept for no font",
         Bytes().Header(1).Entry(a, kStamp, 0, 0, 0, {"Stale", "", "", ""}).Sealed()},
        {"faces kept for no font",
         Bytes().Header(1).Entry(a, kStamp, 0, 0, 1, {"", "", "", ""}).Sealed()},
        {"outlines kept for no font",
         Bytes().Header(1).Entry(a, kStamp, 2, 0, 0, {"", "", "", ""}).Sealed()},
        {"one file twice", ValidEntry(ValidEntry(Bytes().Header(2), a), "c:\\f\\A.TTF").Sealed()},
        {"out of order", ValidEntry(ValidEntry(Bytes().Header(2), b), a).Sealed()},
        {"bytes after the entries", ValidEntry(Bytes().Header(1), a).Int(0, 1).Sealed()},
        {"no checksum", ValidEntry(Bytes().Header(1), a).out},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(Parse(c.bytes)) << c.what;
    // The well-formed neighbours of the cases above are read.
    EXPECT_TRUE(Parse(ValidEntry(ValidEntry(Bytes().Header(2), a), b).Sealed()));
    EXPECT_TRUE(Parse(Bytes().Header(1).Entry(a, kStamp, 0, 0, 0, {"", "", "", ""}).Sealed()));
}
