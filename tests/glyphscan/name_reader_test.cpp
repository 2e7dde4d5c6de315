// The reader on byte ranges, natively under AddressSanitizer: the bytes past a
// range are poisoned, so any read outside it stops the test.
#include "font_builder.h"
#include "font_files.h"
#include "name_reader.h"
#include "poisoned_prefix.h"
#include "posix_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace fontbuild;
using glyphscan::kBlockSize;
using glyphscan::kSlotSize;

struct Result {
    int flag;
    std::vector<char> block;
    std::string Slot(std::size_t slot) const {
        return std::string(block.data() + slot * kSlotSize);
    }
};

// Reads the first size bytes of image with everything after them poisoned.
Result ReadPrefix(const Bytes& image, std::size_t size,
                  glyphscan::Utf16ToAnsi convert = glyphscan::Utf16ToLatin1) {
    const fonttest::PoisonedPrefix bytes(image, size);
    // A heap block of exactly kBlockSize, so a write past it is caught too.
    auto block = std::make_unique<char[]>(kBlockSize);
    std::memset(block.get(), 0, kBlockSize);
    const int flag = glyphscan::ReadNames(bytes.data(), bytes.size(), block.get(), convert);
    return {flag, std::vector<char>(block.get(), block.get() + kBlockSize)};
}

void ExpectSlotsTerminated(const Result& result) {
    for (std::size_t slot = 0; slot < glyphscan::kSlotCount; ++slot)
        EXPECT_EQ(result.block[slot * kSlotSize + kSlotSize - 1], 0) << "slot " << slot;
}

Bytes MixedFont() {
    std::vector<NameRecord> records = {WindowsName(kCopyrightId, u"Windows copyright"),
                                       MacName(kSubfamilyId, "Bold"),
                                       MacName(kCopyrightId, Bytes(1100, 'c')),
                                       MacName(kFamilyId, "Family"),
                                       MacName(kTrademarkId, "Mark"),
                                       WindowsName(kFamilyId, u"Windows family")};
    Font font;
    font.tables.push_back({"cmap", Bytes(10, '\1'), {}});
    font.tables.push_back({"NAME", EncodeNameTable({records, {}, {}}), {}});
    return BuildFont(font);
}

Bytes WindowsFont() {
    return FontWithNames({WindowsName(kCopyrightId, std::u16string(1200, u'x')),
                          WindowsName(kFamilyId, u"Deutsch", 0x407),
                          WindowsName(kFamilyId, u"English"), WindowsName(kTrademarkId, u"TM"),
                          WindowsName(kFullNameId, u"English Full")});
}

TEST(ByteRange, EveryPrefixStaysInsideTheRange) {
    for (const Bytes& image : {MixedFont(), WindowsFont()}) {
        for (std::size_t size = 0; size <= image.size(); ++size) {
            SCOPED_TRACE(size);
            const Result result = ReadPrefix(image, size);
            ExpectSlotsTerminated(result);
            if (result.flag)
                EXPECT_FALSE(result.Slot(glyphscan::kFamily).empty());
        }
        EXPECT_EQ(ReadPrefix(image, image.size()).flag, 1);
    }
}

TEST(ByteRange, WholeImagesReadAsExpected) {
    const Result mixed = ReadPrefix(MixedFont(), MixedFont().size());
    EXPECT_EQ(mixed.Slot(glyphscan::kFamily), "Family");
    EXPECT_EQ(mixed.Slot(glyphscan::kFullName), "Family");
    EXPECT_EQ(mixed.Slot(glyphscan::kCopyright), Bytes(1023, 'c'));
    EXPECT_EQ(mixed.Slot(glyphscan::kTrademark), "Mark");

    const Result windows = ReadPrefix(WindowsFont(), WindowsFont().size());
    EXPECT_EQ(windows.flag, 1);
    EXPECT_EQ(windows.Slot(glyphscan::kFamily), "English");
    EXPECT_EQ(windows.Slot(glyphscan::kFullName), "English Full");
    EXPECT_EQ(windows.Slot(glyphscan::kCopyright), Bytes(1023, 'x'));
}

TEST(ByteRange, WithoutConverterOnlyEightBitRecordsCount) {
    EXPECT_EQ(ReadPrefix(WindowsFont(), WindowsFont().size(), nullptr).flag, 0);
    EXPECT_EQ(ReadPrefix(MixedFont(), MixedFont().size(), nullptr).flag, 1);
}

TEST(ByteRange, ConverterFillingItsWholeCapacityKeepsTheTerminator) {
    const auto fill_all = [](const char16_t*, std::size_t, char* out, std::size_t cap) {
        std::memset(out, 'z', cap);
        return cap;
    };
    const Result result = ReadPrefix(WindowsFont(), WindowsFont().size(), fill_all);
    EXPECT_EQ(result.flag, 1);
    ExpectSlotsTerminated(result);
    EXPECT_EQ(result.Slot(glyphscan::kFamily), Bytes(1023, 'z'));
}

TEST(Latin1Conversion, HoldsLatin1AndMarksTheRest) {
    char out[16];
    const std::u16string text = u"\u00E9\u4E2D\U0001F600a";
    const std::size_t written = glyphscan::Utf16ToLatin1(text.data(), text.size(), out, sizeof out);
    EXPECT_EQ(std::string(out, written), "\xE9??a");
    EXPECT_EQ(glyphscan::Utf16ToLatin1(text.data(), text.size(), out, 2), 2u);
}

TEST(CopySlots, CopiesEachSlotUpToItsTerminator) {
    std::vector<char> block(kBlockSize, 0);
    std::memcpy(block.data(), "full", 4);
    std::memcpy(block.data() + kSlotSize, "copy", 4);
    std::memcpy(block.data() + 3 * kSlotSize, "family", 6);
    char buffers[4][8];
    std::memset(buffers, '#', sizeof buffers);
    glyphscan::CopySlots(block.data(), buffers[0], buffers[1], buffers[2], buffers[3]);
    EXPECT_STREQ(buffers[0], "full");
    EXPECT_STREQ(buffers[1], "copy");
    EXPECT_STREQ(buffers[2], "");
    EXPECT_STREQ(buffers[3], "family");
    EXPECT_EQ(buffers[2][1], '#'); // only the string and its terminator are written
}

TEST(PosixEntry, PathsThatAreNoFontFileGiveZero) {
    for (const char* path : {"/nonexistent/glyphscan/font.ttf", "/usr/share/fonts"}) {
        const fonttest::Props props = fonttest::ReadProps(path);
        EXPECT_EQ(props.result, 0) << path;
        EXPECT_TRUE(props.untouched) << path;
    }
}

} // namespace
