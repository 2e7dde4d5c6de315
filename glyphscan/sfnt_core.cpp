#include "sfnt_core.h"

#include <cstring>

// What lies past the end of the image is treated like this:
// - a directory entry that does not lie wholly inside the image is absent; as all
//   later entries lie further out, the directory scan ends there;
// - a naming table whose 6-byte header does not lie wholly inside is absent;
// - a name record that does not lie wholly inside is absent (and so is every
//   later one);
// - a record's text is cut at the end of the image; a text that starts at or past
//   the end is empty, and an empty text is passed over like one whose first byte
//   is zero, so a later record with the same name ID can still fill the slot.

namespace glyphscan {
namespace {

constexpr std::uint64_t kOffsetTableSize = 12;
constexpr std::uint64_t kDirectoryEntrySize = 16;
constexpr std::uint64_t kNameHeaderSize = 6;
constexpr std::uint64_t kNameRecordSize = 12;

constexpr std::uint16_t kPlatformUnicode = 0;
constexpr std::uint16_t kPlatformIso = 2;
constexpr std::uint16_t kPlatformWindows = 3;
constexpr std::uint16_t kEncodingIso10646 = 1;
constexpr std::uint16_t kEncodingSymbol = 0;
constexpr std::uint16_t kEncodingUnicodeBmp = 1;
constexpr std::uint16_t kEncodingUnicodeFull = 10;
constexpr std::uint16_t kLanguageUsEnglish = 0x409;
constexpr std::uint16_t kNameIdFamily = 1;

bool IsNameTag(const unsigned char* tag) {
    // A tag is a string of at most four characters ending at its first zero byte,
    // so a zero inside it makes it shorter than "name" and unequal.
    static const char kName[4] = {'n', 'a', 'm', 'e'};
    for (int i = 0; i < 4; ++i) {
        unsigned char c = tag[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        if (c != static_cast<unsigned char>(kName[i]))
            return false;
    }
    return true;
}

bool AllChosen(const NameChoice& choice) {
    for (std::uint32_t index : choice.record)
        if (index == NameChoice::kNone)
            return false;
    return true;
}

void ChooseEightBit(const NamingTable& table, NameChoice& choice) {
    const std::uint16_t count = table.count();
    for (std::uint16_t i = 0; i < count && !AllChosen(choice); ++i) {
        NameRecord record;
        if (!table.Record(i, record))
            break;
        const int slot = SlotForNameId(record.name_id);
        if (slot < 0 || record.text_size == 0 || record.text[0] == 0)
            continue;
        if (choice.record[slot] == NameChoice::kNone)
            choice.record[slot] = i;
        if (record.name_id == kNameIdFamily)
            choice.found_family = true;
    }
}

void ChooseWindowsUnicode(const NamingTable& table, NameChoice& choice) {
    bool chosen_is_english[kSlotCount] = {};
    const std::uint16_t count = table.count();
    for (std::uint16_t i = 0; i < count; ++i) {
        NameRecord record;
        if (!table.Record(i, record))
            break;
        const int slot = SlotForNameId(record.name_id);
        // A text that ends before its first whole non-zero code unit is empty.
        if (slot < 0 || !IsWindowsUnicode(record) || record.text_size < 2 ||
            (record.text[0] == 0 && record.text[1] == 0))
            continue;
        const bool english = record.language_id == kLanguageUsEnglish;
        if (choice.record[slot] == NameChoice::kNone || (english && !chosen_is_english[slot])) {
            choice.record[slot] = i;
            chosen_is_english[slot] = english;
        }
    }
    choice.found_family = choice.record[kFamily] != NameChoice::kNone;
}

} // namespace

bool FindNamingTable(const Image& image, std::uint64_t sfnt_at, std::uint64_t& offset) {
    if (!image.Holds(sfnt_at, 6))
        return false;
    const std::uint16_t num_tables = image.U16(sfnt_at + 4);
    for (std::uint32_t i = 0; i < num_tables; ++i) {
        const std::uint64_t entry = sfnt_at + kOffsetTableSize + kDirectoryEntrySize * i;
        if (!image.Holds(entry, kDirectoryEntrySize))
            return false;
        const unsigned char* tag = image.At(entry);
        if (IsNameTag(tag)) {
            offset = image.U32(entry + 8);
            return true;
        }
        if (tag[0] == 0)
            return false;
    }
    return false;
}

NamingTable::NamingTable(const Image& image, std::uint64_t offset)
    : image_(image), offset_(offset), present_(image.Holds(offset, kNameHeaderSize)) {}

bool NamingTable::Record(std::uint16_t index, NameRecord& record) const {
    const std::uint64_t at = offset_ + kNameHeaderSize + kNameRecordSize * index;
    if (!image_.Holds(at, kNameRecordSize))
        return false;
    record.platform_id = image_.U16(at);
    record.encoding_id = image_.U16(at + 2);
    record.language_id = image_.U16(at + 4);
    record.name_id = image_.U16(at + 6);
    const std::uint16_t length = image_.U16(at + 8);
    const std::uint64_t text_at = offset_ + image_.U16(offset_ + 4) + image_.U16(at + 10);
    record.text_size = image_.Available(text_at, length);
    record.text = record.text_size ? image_.At(text_at) : nullptr;
    return true;
}

int SlotForNameId(std::uint16_t name_id) {
    switch (name_id) {
    case 0:
        return kCopyright;
    case 1:
        return kFamily;
    case 4:
        return kFullName;
    case 7:
        return kTrademark;
    default:
        return -1;
    }
}

bool IsWindowsUnicode(const NameRecord& record) {
    return record.platform_id == kPlatformWindows && (record.encoding_id == kEncodingUnicodeBmp ||
                                                      record.encoding_id == kEncodingUnicodeFull);
}

bool IsUtf16Record(const NameRecord& record) {
    return record.platform_id == kPlatformUnicode ||
           (record.platform_id == kPlatformIso && record.encoding_id == kEncodingIso10646) ||
           (record.platform_id == kPlatformWindows && record.encoding_id == kEncodingSymbol) ||
           IsWindowsUnicode(record);
}

NameChoice ChooseNameRecords(const NamingTable& table, bool unicode_fallback) {
    NameChoice choice;
    for (std::uint32_t& index : choice.record)
        index = NameChoice::kNone;
    choice.unicode_pass = false;
    choice.found_family = false;
    ChooseEightBit(table, choice);
    if (choice.found_family || !unicode_fallback)
        return choice;
    // Whatever the 8-bit rule took came without a family; the Unicode choice
    // starts afresh so that its four names belong together.
    for (std::uint32_t& index : choice.record)
        index = NameChoice::kNone;
    choice.unicode_pass = true;
    ChooseWindowsUnicode(table, choice);
    return choice;
}

std::size_t EightBitLength(const NameRecord& record, std::size_t max_length) {
    if (record.text_size == 0)
        return 0;
    const void* zero = std::memchr(record.text, 0, record.text_size);
    const std::size_t length =
        zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - record.text)
             : record.text_size;
    return length < max_length ? length : max_length;
}

std::size_t ReadUtf16Units(const NameRecord& record, char16_t* units, std::size_t max_units) {
    std::size_t count = 0;
    for (std::size_t at = 0; at + 1 < record.text_size && count < max_units; at += 2) {
        const char16_t unit = static_cast<char16_t>(record.text[at] << 8 | record.text[at + 1]);
        if (unit == 0)
            break;
        units[count++] = unit;
    }
    return count;
}

} // namespace glyphscan
