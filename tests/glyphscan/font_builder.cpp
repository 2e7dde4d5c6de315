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

std::vector<NameRecord> MacNames(const Bytes& copyright, const Bytes& family,
                                 const Bytes& full_name, const Bytes& trademark) {
    return {MacName(kCopyrightId, copyright), MacName(kFamilyId, family),
            MacName(kFullNameId, full_name), MacName(kTrademarkId, trademark)};
}

} // namespace fontbuild
