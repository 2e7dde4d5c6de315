// Writes sfnt images with chosen tables and name records, including broken ones:
// wrong versions, odd tags, counts and offsets that point past the end; font
// collections of such images; and bitmap font files (NE executables with font
// resources).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fontbuild {

using Bytes = std::string;

enum NameId : std::uint16_t {
    kCopyrightId = 0,
    kFamilyId = 1,
    kSubfamilyId = 2,
    kFullNameId = 4,
    kTrademarkId = 7,
};

constexpr std::uint32_t kTrueType = 0x00010000;
constexpr std::uint32_t kOpenTypeCff = 0x4F54544F;   // 'OTTO'
constexpr std::uint32_t kCollection = 0x74746366;    // 'ttcf'
constexpr std::uint32_t kAppleTrueType = 0x74727565; // 'true'

struct NameRecord {
    std::uint16_t platform_id = 1;
    std::uint16_t encoding_id = 0;
    std::uint16_t language_id = 0;
    std::uint16_t name_id = 0;
    Bytes text;                          // stored in the string storage, in record order
    std::optional<std::uint16_t> length; // stored length, when it should differ from text
    std::optional<std::uint16_t> offset; // stored offset into the storage, when it should differ
};

// Macintosh Roman record: 8-bit text stored byte for byte.
NameRecord MacName(std::uint16_t name_id, Bytes text);
// Windows Unicode record: UTF-16BE text.
NameRecord WindowsName(std::uint16_t name_id, const std::u16string& text,
                       std::uint16_t language_id = 0x409, std::uint16_t encoding_id = 1);
Bytes Utf16Be(const std::u16string& text);

struct NameTable {
    std::vector<NameRecord> records;
    std::optional<std::uint16_t> count;         // stored count, when it should differ
    std::optional<std::uint16_t> string_offset; // stored storage offset, when it should differ
};
Bytes EncodeNameTable(const NameTable& table);

struct Table {
    Bytes tag; // four bytes, zeros allowed
    Bytes data;
    std::optional<std::uint32_t> offset; // stored offset, when it should differ
};

struct Font {
    std::uint32_t version = kTrueType;
    std::vector<Table> tables; // laid out in this order after the directory
    std::optional<std::uint16_t> num_tables;
};
// The last table is not padded, so it ends exactly at the end of the image.
Bytes BuildFont(const Font& font);

// A TrueType image with a small "cmap" table and a "name" table of these records.
Bytes FontWithNames(const std::vector<NameRecord>& records);
// Mac records for copyright, family, full name and trademark.
std::vector<NameRecord> MacNames(const Bytes& copyright, const Bytes& family,
                                 const Bytes& full_name, const Bytes& trademark);

// An OpenType image with CFF outlines: a small "CFF " table and a "name" table.
Bytes OpenTypeCffWithNames(const std::vector<NameRecord>& records);

// A font collection ("ttcf") holding each face's image one after another, with
// the face's table offsets moved to where it lies.
struct Collection {
    std::vector<Font> faces;
    std::uint16_t major_version = 1;                // 2 adds the (empty) signature fields
    std::optional<std::uint32_t> num_fonts;         // stored count, when it should differ
    std::vector<std::uint32_t> face_offset_changes; // added to the stored face offsets, by face
};
Bytes BuildCollection(const Collection& collection);

// A face of a collection: its tables as FontWithNames lays them out, or with a
// "CFF " table and version OTTO when cff is set.
Font FaceWithNames(const std::vector<NameRecord>& records, bool cff = false);

// One font resource of a bitmap font: the header of a version 2.0 font file,
// then its face name (there are no glyph bitmaps).
struct BitmapFont {
    Bytes face;
    Bytes copyright; // at most 60 bytes
    std::uint16_t points = 10;
    std::uint16_t pixel_height = 13;
    std::optional<std::uint32_t> face_offset; // stored dfFace, when it should differ
};
struct BitmapFontFile {
    std::vector<BitmapFont> fonts; // the RT_FONT resources
    bool font_directory = true;    // an RT_FONTDIR naming every font
    bool font_resources = true;    // false leaves the RT_FONT type out
    std::uint16_t align_shift = 4; // resource offsets and lengths count in 1 << shift bytes
    std::optional<std::uint32_t> ne_offset; // stored e_lfanew, when it should differ
};
// MZ header, NE header, resource table, font directory, font resources.
Bytes BuildBitmapFontFile(const BitmapFontFile& file);

// Big-endian writers, for hand-made bytes.
void PutU16(Bytes& out, std::uint16_t value);
void PutU32(Bytes& out, std::uint32_t value);
// Little-endian writers, for executable headers.
void PutU16Le(Bytes& out, std::uint16_t value);
void PutU32Le(Bytes& out, std::uint32_t value);

} // namespace fontbuild
