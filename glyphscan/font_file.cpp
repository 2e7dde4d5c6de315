#include "font_file.h"

#include "fon_reader.h"
#include "sfnt_core.h"

namespace nq::fontfile {
namespace {

using glyphscan::Image;
using glyphscan::NameChoice;
using glyphscan::NameRecord;
using glyphscan::NamingTable;

constexpr std::uint64_t kCollectionHeaderSize = 12; // tag, version, numFonts
constexpr std::uint16_t kCollectionVersion1 = 1;
constexpr std::uint16_t kCollectionVersion2 = 2;

// The record's text as stored: UTF-16 for the records that hold UTF-16, else
// the 8-bit bytes glyphscan takes. A UTF-16 text is cut at 1023 code units, never
// inside a surrogate pair.
FontText TextOf(const NameRecord& record, bool utf16) {
    FontText text;
    // A single byte cannot hold a code unit; glyphscan takes it as a character.
    if (utf16 && record.text_size >= 2) {
        text.Encoding = TextEncoding::kUtf16;
        char16_t units[glyphscan::kMaxText];
        std::size_t count = glyphscan::ReadUtf16Units(record, units, glyphscan::kMaxText);
        if (count == glyphscan::kMaxText && units[count - 1] >= 0xD800 &&
            units[count - 1] <= 0xDBFF)
            --count;
        text.Utf16.assign(units, count);
    } else {
        text.Ansi.assign(reinterpret_cast<const char*>(record.text),
                         glyphscan::EightBitLength(record, glyphscan::kMaxText));
    }
    return text;
}

// The names of the sfnt face whose offset table starts at sfnt_at; nothing
// when it has no naming table inside the image or no family name.
std::optional<FontFace> ReadFace(const Image& image, std::uint64_t sfnt_at, bool cff) {
    std::uint64_t table_offset = 0;
    if (!glyphscan::FindNamingTable(image, sfnt_at, table_offset))
        return std::nullopt;
    const NamingTable table(image, table_offset);
    if (!table.present())
        return std::nullopt;
    const NameChoice choice = glyphscan::ChooseNameRecords(table, true);
    if (!choice.found_family)
        return std::nullopt;

    FontFace face;
    face.CffOutlines = cff;
    FontText* const slots[glyphscan::kSlotCount] = {&face.FullName, &face.Copyright,
                                                    &face.Trademark, &face.Family};
    for (std::size_t slot = 0; slot < glyphscan::kSlotCount; ++slot) {
        NameRecord record;
        if (choice.record[slot] != NameChoice::kNone &&
            table.Record(static_cast<std::uint16_t>(choice.record[slot]), record))
            *slots[slot] = TextOf(record, choice.unicode_pass || glyphscan::IsUtf16Record(record));
    }
    if (face.Family.Empty())
        return std::nullopt;
    if (face.FullName.Empty())
        face.FullName = face.Family;
    return face;
}

bool IsFaceTag(std::uint32_t tag) {
    return tag == glyphscan::kTagTrueType || tag == glyphscan::kTagOpenTypeCff;
}

// Every face of a collection: the header's offset table names each face's
// offset table. Versions 1 and 2 differ only in what follows that table.
std::optional<FontFileInfo> ReadCollection(const Image& image) {
    if (!image.Holds(0, kCollectionHeaderSize))
        return std::nullopt;
    const std::uint16_t version = image.U16(4);
    const std::uint32_t face_count = image.U32(8);
    if ((version != kCollectionVersion1 && version != kCollectionVersion2) || face_count == 0 ||
        face_count > kMaxFaces || !image.Holds(kCollectionHeaderSize, 4ull * face_count))
        return std::nullopt;
    FontFileInfo info;
    info.Format = FontFormat::kCollection;
    info.Faces.reserve(face_count);
    for (std::uint32_t i = 0; i < face_count; ++i) {
        const std::uint64_t face_at = image.U32(kCollectionHeaderSize + 4ull * i);
        if (!image.Holds(face_at, 4) || !IsFaceTag(image.U32(face_at)))
            return std::nullopt;
        std::optional<FontFace> face =
            ReadFace(image, face_at, image.U32(face_at) == glyphscan::kTagOpenTypeCff);
        if (!face)
            return std::nullopt;
        info.Faces.push_back(std::move(*face));
    }
    return info;
}

} // namespace

std::optional<FontFileInfo> ReadFontImage(const unsigned char* data, std::size_t size) {
    const Image image(data, size);
    if (!image.Holds(0, 4))
        return std::nullopt;
    const std::uint32_t tag = image.U32(0);
    if (tag == glyphscan::kTagCollection)
        return ReadCollection(image);
    if (IsFaceTag(tag)) {
        const bool cff = tag == glyphscan::kTagOpenTypeCff;
        std::optional<FontFace> face = ReadFace(image, 0, cff);
        if (!face)
            return std::nullopt;
        FontFileInfo info;
        info.Format = cff ? FontFormat::kOpenTypeCff : FontFormat::kTrueType;
        info.Faces.push_back(std::move(*face));
        return info;
    }
    return ReadBitmapFont(image);
}

} // namespace nq::fontfile
