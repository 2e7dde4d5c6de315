// The cache file on disk: read back whole or not at all, and replaced whole.
#include "catalogue_cache_file.h"

#include "atomic_file.h"
#include "handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

using namespace nq::catalogue;

// A fresh folder whose name the ANSI code page cannot spell, removed with its files.
class WideTempFolder {
  public:
    WideTempFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        static unsigned counter = 0;
        do
            path_ = std::wstring(temp) + L"nq cache \u4E2D\u00E9 " +
                    std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        while (!CreateDirectoryW(path_.c_str(), nullptr));
    }
    WideTempFolder(const WideTempFolder&) = delete;
    WideTempFolder& operator=(const WideTempFolder&) = delete;
    ~WideTempFolder() {
        WIN32_FIND_DATAW entry;
        nq::UniqueFind find(FindFirstFileW((path_ + L"\\*").c_str(), &entry));
        if (find)
            do
                DeleteFileW((path_ + L"\\" + entry.cFileName).c_str());
            while (FindNextFileW(find.get(), &entry));
        find.reset();
        RemoveDirectoryW(path_.c_str());
    }
    std::wstring File(const wchar_t* name) const { return path_ + L"\\" + name; }

  private:
    std::wstring path_;
};

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Content(const std::wstring& path) {
    return nq::ReadWholeFile(path, SIZE_MAX).value_or("<missing>");
}

CatalogueCache CacheOf(int fonts) {
    CatalogueCache cache;
    for (int i = 0; i < fonts; ++i) {
        CachedFont font;
        font.Usable = true;
        font.FaceCount = 1;
        font.Name = "\xD0\xA8\xD1\x80\xD0\xB8\xD1\x84\xD1\x82 " + std::to_string(i);
        font.Family = "Family";
        cache.Put("C:\\Fonts\\\xE4\xB8\xAD\\f" + std::to_string(i) + ".ttf",
                  {static_cast<std::uint64_t>(i), 42}, font);
    }
    return cache;
}

} // namespace

TEST(CatalogueCacheFile, SavesAndLoadsTheCacheByWidePath) {
    WideTempFolder folder;
    const std::wstring path = folder.File(L"NimbQuillbox.cache");
    EXPECT_EQ(LoadCatalogueCache(path).Size(), 0u) << "no file yet";

    const CatalogueCache cache = CacheOf(500);
    ASSERT_TRUE(SaveCatalogueCache(cache, path));
    EXPECT_EQ(Content(path), cache.Serialise());
    EXPECT_FALSE(Exists(nq::TemporaryPathFor(path)));
    const CatalogueCache loaded = LoadCatalogueCache(path);
    EXPECT_EQ(loaded.Size(), 500u);
    EXPECT_EQ(loaded.Serialise(), cache.Serialise());

    // A smaller cache replaces a larger one completely.
    ASSERT_TRUE(SaveCatalogueCache(CacheOf(3), path));
    EXPECT_EQ(LoadCatalogueCache(path).Serialise(), CacheOf(3).Serialise());
}

TEST(CatalogueCacheFile, ADamagedOrForeignFileLoadsAsAnEmptyCache) {
    WideTempFolder folder;
    const std::wstring path = folder.File(L"NimbQuillbox.cache");
    std::string bytes = CacheOf(20).Serialise();
    bytes[bytes.size() / 2] ^= 0x20;
    for (const std::string& content : {bytes, bytes.substr(0, 100), std::string(),
                                       std::string("[Settings]\r\nSkin=Skins\\Dark\r\n")}) {
        ASSERT_TRUE(nq::ReplaceFileContent(path, content));
        EXPECT_EQ(LoadCatalogueCache(path).Size(), 0u) << content.size() << " bytes";
    }
    EXPECT_FALSE(nq::ReadWholeFile(path, 10)) << "larger than allowed";
}

TEST(CatalogueCacheFile, AnInterruptedSaveKeepsTheOldCacheAndLeavesNoTemporaryFile) {
    WideTempFolder folder;
    const std::wstring path = folder.File(L"NimbQuillbox.cache");
    const CatalogueCache old = CacheOf(10);
    ASSERT_TRUE(SaveCatalogueCache(old, path));
    const std::string oldBytes = Content(path);

    const CatalogueCache next = CacheOf(400);
    const std::size_t size = next.Serialise().size();
    for (const std::size_t failAfter : {std::size_t{0}, std::size_t{1}, size / 2, size - 1}) {
        EXPECT_FALSE(SaveCatalogueCache(next, path, nq::WriteFault{failAfter})) << failAfter;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
        EXPECT_EQ(Content(path), oldBytes) << failAfter;
        EXPECT_FALSE(Exists(nq::TemporaryPathFor(path))) << failAfter;
        EXPECT_EQ(LoadCatalogueCache(path).Serialise(), old.Serialise());
    }

    // A crash mid-write leaves a cut temporary file: it is never read, and the
    // next save writes over it.
    ASSERT_TRUE(nq::ReplaceFileContent(nq::TemporaryPathFor(path), next.Serialise().substr(0, 99)));
    EXPECT_EQ(LoadCatalogueCache(path).Serialise(), old.Serialise());
    ASSERT_TRUE(SaveCatalogueCache(next, path));
    EXPECT_FALSE(Exists(nq::TemporaryPathFor(path)));
    EXPECT_EQ(LoadCatalogueCache(path).Size(), 400u);

    // A folder that is not there: a failure, not a crash.
    EXPECT_FALSE(SaveCatalogueCache(next, folder.File(L"gone\\NimbQuillbox.cache")));
}
