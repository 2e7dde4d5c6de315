// The table-reading core that glyphscan.dll and the program's font reader share:
// bounds-checked reads of a font image held in memory, the sfnt table directory,
// the naming table and the choice of name records. No allocation, no exceptions
// and nothing from the C runtime beyond memcpy, memset, memchr and strlen, so it
// also runs inside glyphscan.dll.
#pragma once

#include <cstddef>
#include <cstdint>

namespace glyphscan {

constexpr std::size_t kSlotSize = 1024; // one text slot with its terminator
constexpr std::size_t kSlotCount = 4;   // full name, copyright, trademark, family
constexpr std::size_t kBlockSize = kSlotSize * kSlotCount;
constexpr std::size_t kMaxText = kSlotSize - 1; // longest text a slot keeps

enum Slot : std::size_t { kFullName = 0, kCopyright = 1, kTrademark = 2, kFamily = 3 };

// The first four bytes of an sfnt image or collection, read big-endian.
constexpr std::uint32_t kTagTrueType = 0x00010000;
constexpr std::uint32_t kTagOpenTypeCff = 0x4F54544F; // 'OTTO'
constexpr std::uint32_t kTagCollection = 0x74746366;  // 'ttcf'

// Every position is computed in 64 bits (a 32-bit offset plus 16-bit offsets
// cannot wrap there) and checked with Holds before a byte is read.
class Image {
  public:
    Image(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t size() const { return size_; }
    bool Holds(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    // The readers below expect the caller to have checked Holds.
    std::uint16_t U16(std::uint64_t offset) const { // big-endian, as in sfnt files
        const unsigned char* p = data_ + offset;
        return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
    }
    std::uint32_t U32(std::uint64_t offset) const {
        return static_cast<std::uint32_t>(U16(offset)) << 16 | U16(offset + 2);
    }
    std::uint16_t U16Le(std::uint64_t offset) const { // little-endian, as in executables
        const unsigned char* p = data_ + offset;
        return static_cast<std::uint16_t>(p[1] << 8 | p[0]);
    }
    std::uint32_t U32Le(std::uint64_t offset) const {
        return static_cast<std::uint32_t>(U16Le(offset + 2)) << 16 | U16Le(offset);
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

// Finds the naming table in the table directory of the offset table at
// sfnt_at (0 for a single font, a face's offset in a collection). False when the
// directory has none: a tag spelled "name" in any letter case counts; a tag that
// begins with a zero byte, or an entry that does not lie wholly inside the
// image, ends the scan.
bool FindNamingTable(const Image& image, std::uint64_t sfnt_at, std::uint64_t& offset);

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
    // The table is absent when its 6-byte header does not lie wholly inside.
    NamingTable(const Image& image, std::uint64_t offset);

    bool present() const { return present_; }
    std::uint16_t count() const { return present_ ? image_.U16(offset_ + 2) : 0; }
    // Record index of the table, or false when it does not lie wholly in the image.
    // A text that starts at or past the end of the image is empty.
    bool Record(std::uint16_t index, NameRecord& record) const;

  private:
    const Image& image_;
    std::uint64_t offset_;
    bool present_;
};

// The slot a name ID fills (0 copyright, 1 family, 4 full name, 7 trademark), or -1.
int SlotForNameId(std::uint16_t name_id);

// Windows platform, Unicode BMP or full repertoire: the records of the UTF-16 pass.
bool IsWindowsUnicode(const NameRecord& record);
// Any record whose text is stored as UTF-16 big-endian: the Unicode platform,
// ISO 10646 and the Windows symbol and Unicode encodings.
bool IsUtf16Record(const NameRecord& record);

// Which record fills each slot of a naming table.
struct NameChoice {
    static constexpr std::uint32_t kNone = 0x10000;
    std::uint32_t record[kSlotCount]; // record index per slot, or kNone
    // The records were taken among the Windows Unicode records (their texts are
    // UTF-16); otherwise by the 8-bit rule.
    bool unicode_pass;
    bool found_family;
};

// The 8-bit rule: per name ID the first record whose text does not begin with a
// zero byte, whatever its platform; the scan stops once all four slots have a
// record. When it finds no family and unicode_fallback is set, the choice starts
// afresh among the Windows Unicode records: per name ID the US English record
// whose text begins with a non-zero code unit, else the first such record in
// file order.
NameChoice ChooseNameRecords(const NamingTable& table, bool unicode_fallback);

// Bytes of the record's text before its first zero byte, at most max_length.
std::size_t EightBitLength(const NameRecord& record, std::size_t max_length);

// Reads the record's UTF-16 big-endian text into units up to its first zero
// code unit, at most max_units of them; an odd trailing byte is dropped.
std::size_t ReadUtf16Units(const NameRecord& record, char16_t* units, std::size_t max_units);

} // namespace glyphscan
