// glyphscan.dll through its import library: the global block of ReadIntoBuffer,
// and how both exports hold and release their files.
#include "font_builder.h"
#include "font_files.h"
#include "glyphscan.h"
#include "handles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

using fonttest::Props;
using fonttest::TempFile;

const char kDejaVuSans[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Opens the file for reading and writing with no sharing at all: succeeds only
// when no other handle, mapping or view holds it.
bool OpenExclusively(const std::string& path) {
    const nq::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

// Mapped views of files in this process's address space.
int MappedViewCount() {
    int count = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;
         at = static_cast<const char*>(info.BaseAddress) + info.RegionSize)
        if (info.Type == MEM_MAPPED && info.AllocationBase == info.BaseAddress)
            ++count;
    return count;
}

// A fresh name in the temporary folder that no file has.
std::string MissingPath() {
    char folder[MAX_PATH];
    char name[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "gsm", 0, name))
        return {};
    DeleteFileA(name);
    return std::string(name) + ".ttf";
}

// The block's bytes, read the way the preview reads them.
std::string BlockBytes(HGLOBAL block) {
    const SIZE_T size = GlobalSize(block);
    if (size == 0)
        return {};
    const nq::GlobalLockGuard lock(block);
    return lock.data() ? std::string(static_cast<const char*>(lock.data()), size) : "<lock failed>";
}

TEST(ReadIntoBuffer, BlockHoldsTheWholeFileUnlocked) {
    const std::string path = fonttest::HostPath(kDejaVuSans);
    nq::UniqueGlobal block(ReadIntoBuffer(path.c_str()));
    ASSERT_TRUE(block);
    EXPECT_EQ(GlobalFlags(block.get()) & GMEM_LOCKCOUNT, 0u) << "returned locked";
    const std::string expected = FileBytes(path);
    ASSERT_GT(expected.size(), 100000u);
    EXPECT_EQ(GlobalSize(block.get()), expected.size());
    EXPECT_TRUE(BlockBytes(block.get()) == expected);
    EXPECT_EQ(GlobalFree(block.release()), nullptr) << "GlobalFree failed";
}

TEST(ReadIntoBuffer, SmallAndEmptyFiles) {
    const TempFile small("abc");
    nq::UniqueGlobal small_block(ReadIntoBuffer(small.path().c_str()));
    ASSERT_TRUE(small_block);
    EXPECT_EQ(GlobalSize(small_block.get()), 3u);
    EXPECT_EQ(BlockBytes(small_block.get()), "abc");

    const TempFile empty("");
    nq::UniqueGlobal empty_block(ReadIntoBuffer(empty.path().c_str()));
    ASSERT_TRUE(empty_block) << "an empty file gives a block, of size 0";
    EXPECT_EQ(GlobalSize(empty_block.get()), 0u);
    EXPECT_EQ(GlobalFree(empty_block.release()), nullptr);
}

TEST(ReadIntoBuffer, MissingFileGivesZeroAndCreatesNothing) {
    const std::string path = MissingPath();
    ASSERT_FALSE(Exists(path));
    EXPECT_EQ(ReadIntoBuffer(path.c_str()), nullptr);
    EXPECT_FALSE(Exists(path));
}

TEST(ReadIntoBuffer, ReleasesTheFile) {
    const TempFile file("some bytes");
    nq::UniqueGlobal block(ReadIntoBuffer(file.path().c_str()));
    ASSERT_TRUE(block);
    EXPECT_TRUE(OpenExclusively(file.path()));
}

TEST(ReadIntoBuffer, FileHeldWithoutSharingGivesZero) {
    const TempFile file("some bytes");
    const nq::UniqueFile holder(CreateFileA(file.path().c_str(), GENERIC_READ, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_EQ(ReadIntoBuffer(file.path().c_str()), nullptr);
}

TEST(GetFontProps, MissingFileGivesZeroAndCreatesNothing) {
    const std::string path = MissingPath();
    ASSERT_FALSE(Exists(path));
    const Props props = fonttest::ReadProps(path);
    EXPECT_EQ(props.result, 0);
    EXPECT_TRUE(props.untouched);
    EXPECT_FALSE(Exists(path)) << "the call left a file behind";
}

TEST(GetFontProps, FileIsReleasedAfterSuccessAndFailure) {
    using namespace fontbuild;
    const Bytes good = FontWithNames(MacNames("C", "F", "N", "T"));
    Bytes cff = good;
    cff.replace(0, 4, "OTTO");
    const Bytes no_family = FontWithNames({MacName(kCopyrightId, "C")});
    int expected_result = 1;
    for (const Bytes& image : {good, cff, no_family, Bytes(), Bytes("MZ not a font")}) {
        const TempFile file(image);
        EXPECT_EQ(fonttest::ReadProps(file.path()).result, expected_result);
        expected_result = 0;
        EXPECT_TRUE(OpenExclusively(file.path())) << "still held after the call";
        EXPECT_NE(DeleteFileA(file.path().c_str()), 0) << "cannot delete after the call";
    }
}

TEST(GetFontProps, LeavesNoViewMapped) {
    const TempFile no_family(fontbuild::FontWithNames({fontbuild::MacName(0, "C")}));
    const std::string real_font = fonttest::HostPath(kDejaVuSans);
    const int before = MappedViewCount();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(fonttest::ReadProps(real_font).result, 1);
        EXPECT_EQ(fonttest::ReadProps(no_family.path()).result, 0);
    }
    EXPECT_EQ(MappedViewCount(), before);
}

TEST(GetFontProps, NoOneElseMayHaveTheFileOpen) {
    // The reader opens with share mode 0, which admits no other opener, not even
    // one that shares reading.
    const TempFile file(fontbuild::FontWithNames(fontbuild::MacNames("C", "F", "N", "T")));
    {
        const nq::UniqueFile reader(
            CreateFileA(file.path().c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(reader);
        const Props props = fonttest::ReadProps(file.path());
        EXPECT_EQ(props.result, 0);
        EXPECT_TRUE(props.untouched);
    }
    EXPECT_EQ(fonttest::ReadProps(file.path()).result, 1);
}

TEST(GetFontProps, SuccessWritesOnlyTheStringsAndTheirTerminators) {
    const TempFile file(fontbuild::FontWithNames(fontbuild::MacNames("C", "Fam", "", "")));
    char buffers[4][fonttest::kBufferSize];
    std::memset(buffers, '#', sizeof buffers);
    ASSERT_EQ(GetFontProps(file.path().c_str(), buffers[0], buffers[1], buffers[2], buffers[3]), 1);
    EXPECT_STREQ(buffers[0], "Fam");
    EXPECT_STREQ(buffers[1], "C");
    EXPECT_STREQ(buffers[2], "");
    EXPECT_STREQ(buffers[3], "Fam");
    EXPECT_EQ(buffers[0][4], '#');
    EXPECT_EQ(buffers[2][1], '#');
}

} // namespace
