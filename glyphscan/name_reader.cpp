#include "name_reader.h"

#include <cstring>

// Bounds: every position is computed in 64 bits (a 32-bit table offset plus two
// 16-bit offsets cannot wrap there) and checked against the image size before a
// byte is read. What lies past the end of the image is treated like this:
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

constexpr std::uint32_t kSfntVersion1 = 0x00010000;
constexpr std::uint64_t kDirectoryStart = 12;
constexpr std::uint64_t kDirectoryEntrySize = 16;
constexpr std::uint64_t kNameHeaderSize = 6;
constexpr std::uint64_t kNameRecordSize = 12;
constexpr std::size_t kMaxText = kSlotSize - 1;

constexpr std::uint16_t kPlatformWindows = 3;
constexpr std::uint16_t kEncodingUnicodeBmp = 1;
constexpr std::uint16_t kEncodingUnicodeFull = 10;
constexpr std::uint16_t kLanguageUsEnglish = 0x409;
constexpr std::uint16_t kNameIdFamily = 1;

// A UTF-16 text is converted from at most this many code units: twice a slot, so
// that even a text of surrogate pairs, each of which may become one '?', can fill it.
constexpr std::size_t kMaxUnits = 2 * kMaxText;

class Image {
  public:
    Image(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    bool Holds(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    // The readers below expect the caller to have checked Holds.
    std::uint16_t U16(std::uint64_t offset) const {
        const unsigned char* p = data_ + offset;
        return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
    }
    std::uint32_t U32(std::uint64_t offset) const {
        return static_cast<std::uint32_t>(U16(offset)) << 16 | U16(offset + 2);
    }
    const unsigned char* At(std::uint64_t offset) const { return data_ + offset; }
    // How many of length bytes from offset lie inside the image.
    std::size_t Available(std::uint64_t offset, std::uint64_t length) const {
        if (offset >= size_)
            return 0;
        const std::uint64_t rest = size_ - offset;
        return static_cast<std::size_t>(length < rest ? length : rest);
    }

  private:
    const unsigned char* data_;
    std::size_t size_;
};

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

// Offset of the naming table, or false when the directory has none for us.
bool FindNamingTable(const Image& image, std::uint64_t& offset) {
    const std::uint16_t num_tables = image.U16(4);
    for (std::uint32_t i = 0; i < num_tables; ++i) {
        const std::uint64_t entry = kDirectoryStart + kDirectoryEntrySize * i;
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

struct NameRecord {
    std::uint16_t platform_id;
    std::uint16_t encoding_id;
    std::uint16_t language_id;
    std::uint16_t name_id;
    const unsigned char* text; // valid for text_size bytes, already cut at the image end
    std::size_t text_size;
};

class NamingTable {
  public:
    NamingTable(const Image& image, std::uint64_t offset)
        : image_(image), offset_(offset), present_(image.Holds(offset, kNameHeaderSize)) {}

    bool present() const { return present_; }
    std::uint16_t count() const { return present_ ? image_.U16(offset_ + 2) : 0; }

    // Record index of the table, or false when it does not lie wholly in the image.
    bool Record(std::uint16_t index, NameRecord& record) const {
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

  private:
    const Image& image_;
    std::uint64_t offset_;
    bool present_;
};

bool SlotEmpty(const char* block, int slot) {
    return block[slot * kSlotSize] == 0;
}

bool AllSlotsFilled(const char* block) {
    for (std::size_t slot = 0; slot < kSlotCount; ++slot)
        if (SlotEmpty(block, static_cast<int>(slot)))
            return false;
    return true;
}

// The 8-bit pass: the first record of each name ID whose text does not begin with
// a zero byte fills the slot, byte for byte.
int ReadEightBitRecords(const NamingTable& table, char* block) {
    int result = 0;
    const std::uint16_t count = table.count();
    for (std::uint16_t i = 0; i < count; ++i) {
        if (AllSlotsFilled(block))
            break;
        NameRecord record;
        if (!table.Record(i, record))
            break;
        const int slot = SlotForNameId(record.name_id);
        if (slot < 0 || record.text_size == 0 || record.text[0] == 0)
            continue;
        if (SlotEmpty(block, slot)) {
            const void* zero = std::memchr(record.text, 0, record.text_size);
            std::size_t length = zero ? static_cast<std::size_t>(
                                            static_cast<const unsigned char*>(zero) - record.text)
                                      : record.text_size;
            if (length > kMaxText)
                length = kMaxText;
            std::memcpy(block + slot * kSlotSize, record.text, length);
        }
        if (record.name_id == kNameIdFamily)
            result = 1;
    }
    return result;
}

bool IsWindowsUnicode(const NameRecord& record) {
    return record.platform_id == kPlatformWindows && (record.encoding_id == kEncodingUnicodeBmp ||
                                                      record.encoding_id == kEncodingUnicodeFull);
}

// The UTF-16 pass, for fonts whose names are stored only as Windows Unicode
// records: per name ID the US English record, else the first one in file order.
int ReadWindowsUnicodeRecords(const NamingTable& table, char* block, Utf16ToAnsi convert) {
    constexpr std::uint32_t kNone = 0x10000;
    std::uint32_t chosen[kSlotCount] = {kNone, kNone, kNone, kNone};
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
        if (chosen[slot] == kNone || (english && !chosen_is_english[slot])) {
            chosen[slot] = i;
            chosen_is_english[slot] = english;
        }
    }

    char16_t units[kMaxUnits];
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        NameRecord record;
        if (chosen[slot] == kNone ||
            !table.Record(static_cast<std::uint16_t>(chosen[slot]), record))
            continue;
        std::size_t unit_count = 0;
        for (std::size_t at = 0; at + 1 < record.text_size && unit_count < kMaxUnits; at += 2) {
            const char16_t unit = static_cast<char16_t>(record.text[at] << 8 | record.text[at + 1]);
            if (unit == 0)
                break;
            units[unit_count++] = unit;
        }
        convert(units, unit_count, block + slot * kSlotSize, kMaxText);
    }
    return SlotEmpty(block, kFamily) ? 0 : 1;
}

} // namespace

int ReadNames(const unsigned char* data, std::size_t size, char* block, Utf16ToAnsi convert) {
    const Image image(data, size);
    if (!image.Holds(0, kNameHeaderSize) || image.U32(0) != kSfntVersion1)
        return 0;
    std::uint64_t table_offset = 0;
    if (!FindNamingTable(image, table_offset))
        return 0;
    const NamingTable table(image, table_offset);
    if (!table.present())
        return 0;

    int result = ReadEightBitRecords(table, block);
    if (result == 0 && convert) {
        // Whatever the 8-bit pass took came without a family; the UTF-16 pass
        // starts afresh so its four names belong together.
        std::memset(block, 0, kBlockSize);
        result = ReadWindowsUnicodeRecords(table, block, convert);
    }
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
