#include "font_builder.h"

#include <stdexcept>

namespace fontbuild {

void PutU16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value >> 8));
    out.push_back(static_cast<char>(value & 0xFF));
}

void PutU32(Bytes& out, std::uint32_t value) {
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
    PutU16(out, static_cast<std::uint16_t>(value & 0xFFFF));
}

void PutU16Le(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void PutU32Le(Bytes& out, std::uint32_t value) {
    PutU16Le(out, static_cast<std::uint16_t>(value & 0xFFFF));
    PutU16Le(out, static_cast<std::uint16_t>(value >> 16));
}

NameRecord MacName(std::uint16_t name_id, Bytes text) {
    NameRecord record;
    record.name_id = name_id;
    record.text = std::move(text);
    return record;
}

Bytes Utf16Be(const std::u16string& text) {
    Bytes out;
    for (char16_t unit : text)
        PutU16(out, static_cast<std::uint16_t>(unit));
    return out;
}

NameRecord WindowsName(std::uint16_t name_id, const std::u16string& text, std::uint16_t language_id,
                       std::uint16_t encoding_id) {
    NameRecord record;
    record.platform_id = 3;
    record.encoding_id = encoding_id;
    record.language_id = language_id;
    record.name_id = name_id;
    record.text = Utf16Be(text);
    return record;
}

Bytes EncodeNameTable(const NameTable& table) {
    const auto real_count = static_cast<std::uint16_t>(table.records.size());
    Bytes out;
    PutU16(out, 0); // format
    PutU16(out, table.count.value_or(real_count));
    PutU16(out, table.string_offset.value_or(static_cast<std::uint16_t>(6 + 12 * real_count)));
    Bytes storage;
    for (const NameRecord& record : table.records) {
        PutU16(out, record.platform_id);
        PutU16(out, record.encoding_id);
        PutU16(out, record.language_id);
        PutU16(out, record.name_id);
        PutU16(out, record.length.value_or(static_cast<std::uint16_t>(record.text.size())));
        PutU16(out, record.offset.value_or(static_cast<std::uint16_t>(storage.size())));
        storage += record.text;
    }
    return out + storage;
}

Bytes BuildFont(const Font& font) {
    const auto real_count = static_cast<std::uint16_t>(font.tables.size());
    Bytes out;
    PutU32(out, font.version);
    PutU16(out, font.num_tables.value_or(real_count));
    PutU16(out, 0); // searchRange, entrySelector, rangeShift: unused
    PutU16(out, 0);
    PutU16(out, 0);

    std::uint32_t at = 12 + 16 * static_cast<std::uint32_t>(real_count);
    Bytes data;
    for (std::size_t i = 0; i < font.tables.size(); ++i) {
        const Table& table = font.tables[i];
        if (table.tag.size() != 4)
            throw std::invalid_argument("a table tag has four bytes");
        out += table.tag;
        PutU32(out, 0); // checkSum: unused
        PutU32(out, table.offset.value_or(at));
        PutU32(out, static_cast<std::uint32_t>(table.data.size()));
        data += table.data;
        at += static_cast<std::uint32_t>(table.data.size());
        if (i + 1 < font.tables.size())
            while (at % 4) {
                data.push_back('\0');
                ++at;
            }
    }
    return out + data;
}

Bytes FontWithNames(const std::vector<NameRecord>& records) {
    Font font;
    font.tables.push_back({"cmap", Bytes(8, '\0'), {}});
    font.tables.push_back({"name", EncodeNameTable({records, {}, {}}), {}});
    return BuildFont(font);
}

Font FaceWithNames(const std::vector<NameRecord>& records, bool cff) {
    Font font;
    font.version = cff ? kOpenTypeCff : kTrueType;
    font.tables.push_back({cff ? "CFF " : "cmap", Bytes(8, '\0'), {}});
    font.tables.push_back({"name", EncodeNameTable({records, {}, {}}), {}});
    return font;
}

Bytes OpenTypeCffWithNames(const std::vector<NameRecord>& records) {
    return BuildFont(FaceWithNames(records, true));
}

Bytes BuildCollection(const Collection& collection) {
    const auto count = static_cast<std::uint32_t>(collection.faces.size());
    Bytes header;
    PutU32(header, kCollection);
    PutU16(header, collection.major_version);
    PutU16(header, 0);
    PutU32(header, collection.num_fonts.value_or(count));
    const std::uint32_t header_size = 12 + 4 * count + (collection.major_version >= 2 ? 12 : 0);
    Bytes faces;
    std::vector<std::uint32_t> offsets;
    for (const Font& font : collection.faces) {
        while ((header_size + faces.size()) % 4)
            faces.push_back('\0');
        const auto at = static_cast<std::uint32_t>(header_size + faces.size());
        offsets.push_back(at);
        Bytes image = BuildFont(font);
        // Table offsets count from the start of the collection file.
        for (std::size_t i = 0; i < font.tables.size(); ++i) {
            const std::size_t field = 12 + 16 * i + 8;
            std::uint32_t offset = 0;
            for (int b = 0; b < 4; ++b)
                offset = offset << 8 | static_cast<unsigned char>(image[field + b]);
            Bytes moved;
            PutU32(moved, offset + at);
            image.replace(field, 4, moved);
        }
        faces += image;
    }
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::uint32_t change =
            i < collection.face_offset_changes.size() ? collection.face_offset_changes[i] : 0;
        PutU32(header, offsets[i] + change);
    }
    if (collection.major_version >= 2)
        header += Bytes(12, '\0'); // no digital signature
    return header + faces;
}

namespace {

constexpr std::uint16_t kFontHeaderSize = 118; // a version 2.0 font file's header

Bytes FontResource(const BitmapFont& font) {
    Bytes out;
    PutU16Le(out, 0x0200); // dfVersion
    const auto size = static_cast<std::uint32_t>(kFontHeaderSize + font.face.size() + 1);
    PutU32Le(out, size);
    Bytes copyright = font.copyright.substr(0, 60);
    copyright.resize(60, '\0');
    out += copyright;
    PutU16Le(out, 0);                 // dfType: raster
    PutU16Le(out, font.points);       // dfPoints
    PutU16Le(out, 96);                // dfVertRes
    PutU16Le(out, 96);                // dfHorizRes
    PutU16Le(out, font.pixel_height); // dfAscent
    out += Bytes(88 - out.size(), '\0');
    PutU16Le(out, font.pixel_height); // dfPixHeight
    out += Bytes(105 - out.size(), '\0');
    PutU32Le(out, font.face_offset.value_or(kFontHeaderSize)); // dfFace
    out += Bytes(kFontHeaderSize - out.size(), '\0');
    return out + font.face + Bytes(1, '\0');
}

} // namespace

Bytes BuildBitmapFontFile(const BitmapFontFile& file) {
    constexpr std::uint32_t kNeAt = 64;
    constexpr std::uint16_t kResourceTableAt = 64; // from the NE header
    const std::uint32_t unit = 1u << file.align_shift;

    std::vector<Bytes> fonts;
    for (const BitmapFont& font : file.fonts)
        fonts.push_back(FontResource(font));
    Bytes directory;
    PutU16Le(directory, static_cast<std::uint16_t>(fonts.size()));
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        PutU16Le(directory, static_cast<std::uint16_t>(i + 1));
        directory += fonts[i].substr(0, 113);
        directory += Bytes(1, '\0'); // no device name
        directory += file.fonts[i].face + Bytes(1, '\0');
    }

    std::vector<const Bytes*> resources;
    std::vector<std::uint16_t> types;
    if (file.font_directory) {
        resources.push_back(&directory);
        types.push_back(0x8007);
    }
    if (file.font_resources)
        for (const Bytes& font : fonts) {
            resources.push_back(&font);
            types.push_back(0x8008);
        }

    // The resource table: its shift, the two types with their entries, a zero type.
    const std::size_t table_size = 2 + (file.font_directory ? 8 + 12 : 0) +
                                   (file.font_resources ? 8 + 12 * fonts.size() : 0) + 2;
    std::size_t at = kNeAt + kResourceTableAt + table_size;
    std::vector<std::size_t> placed;
    for (const Bytes* resource : resources) {
        at = (at + unit - 1) / unit * unit;
        placed.push_back(at);
        at += resource->size();
    }

    Bytes out;
    out += "MZ";
    out += Bytes(0x3C - out.size(), '\0');
    PutU32Le(out, file.ne_offset.value_or(kNeAt));
    out += "NE";
    out += Bytes(kNeAt + 0x24 - out.size(), '\0');
    PutU16Le(out, kResourceTableAt);
    out += Bytes(kNeAt + kResourceTableAt - out.size(), '\0');
    PutU16Le(out, file.align_shift);
    std::size_t index = 0;
    for (std::uint16_t type : {std::uint16_t{0x8007}, std::uint16_t{0x8008}}) {
        std::vector<std::size_t> of_type;
        for (std::size_t i = 0; i < resources.size(); ++i)
            if (types[i] == type)
                of_type.push_back(i);
        if (of_type.empty() && !(type == 0x8008 && file.font_resources))
            continue;
        PutU16Le(out, type);
        PutU16Le(out, static_cast<std::uint16_t>(of_type.size()));
        PutU32Le(out, 0);
        for (std::size_t i : of_type) {
            PutU16Le(out, static_cast<std::uint16_t>(placed[i] / unit));
            PutU16Le(out, static_cast<std::uint16_t>((resources[i]->size() + unit - 1) / unit));
            PutU16Le(out, 0x0C50); // flags: moveable, shareable, preloaded
            PutU16Le(out, static_cast<std::uint16_t>(0x8000 | ++index));
            PutU32Le(out, 0);
        }
    }
    PutU16Le(out, 0);
    for (std::size_t i = 0; i < resources.size(); ++i) {
        out += Bytes(placed[i] - out.size(), '\0');
        out += *resources[i];
    }
    out.resize((out.size() + unit - 1) / unit * unit, '\0');
    return out;
}

std::vector<NameRecord> MacNames(const Bytes& copyright, const Bytes& family,
                                 const Bytes& full_name, const Bytes& trademark) {
    return {MacName(kCopyrightId, copyright), MacName(kFamilyId, family),
            MacName(kFullNameId, full_name), MacName(kTrademarkId, trademark)};
}

} // namespace fontbuild
