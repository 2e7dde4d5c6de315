#include "name_reader.h"

#include <cstring>

namespace glyphscan {
namespace {

// A UTF-16 text is converted from at most this many code units: twice a slot, so
// that even a text of surrogate pairs, each of which may become one '?', can fill it.
constexpr std::size_t kMaxUnits = 2 * kMaxText;

bool SlotEmpty(const char* block, int slot) {
    return block[slot * kSlotSize] == 0;
}

} // namespace

int ReadNames(const unsigned char* data, std::size_t size, char* block, Utf16ToAnsi convert) {
    const Image image(data, size);
    if (!image.Holds(0, 6) || image.U32(0) != kTagTrueType)
        return 0;
    std::uint64_t table_offset = 0;
    if (!FindNamingTable(image, 0, table_offset))
        return 0;
    const NamingTable table(image, table_offset);
    if (!table.present())
        return 0;

    const NameChoice choice = ChooseNameRecords(table, convert != nullptr);
    char16_t units[kMaxUnits];
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        NameRecord record;
        if (choice.record[slot] == NameChoice::kNone ||
            !table.Record(static_cast<std::uint16_t>(choice.record[slot]), record))
            continue;
        char* text = block + slot * kSlotSize;
        if (choice.unicode_pass) {
            convert(units, ReadUtf16Units(record, units, kMaxUnits), text, kMaxText);
        } else {
            // Byte for byte: no character-set conversion.
            std::memcpy(text, record.text, EightBitLength(record, kMaxText));
        }
    }
    // A text the converter turned into nothing leaves its slot empty.
    const int result = choice.unicode_pass ? !SlotEmpty(block, kFamily) : choice.found_family;
    if (SlotEmpty(block, kFullName))
        std::memcpy(block + kFullName * kSlotSize, block + kFamily * kSlotSize, kSlotSize);
    return result;
}

void CopySlots(const char* block, char* full_name, char* copyright, char* trademark, char* family) {
    char* const buffers[kSlotCount] = {full_name, copyright, trademark, family};
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        const char* text = block + slot * kSlotSize;
        std::memcpy(buffers[slot], text, std::strlen(text) + 1);
    }
}

} // namespace glyphscan
