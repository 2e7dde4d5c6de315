// The listing read on its own thread with the catalogue cache: which files
// are opened again, what a cached record holds, what a bad or unwritable
// cache file does, and cancelling.
#include "font_listing.h"

#include "atomic_file.h"
#include "catalogue_cache_file.h"
#include "font_fixtures.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <map>
#include <string>
#include <vector>

using libtest::MakeFolder;
using libtest::TempFolder;
using libtest::WriteFile;

namespace {

const std::string kDejaVuSans = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";

struct Listed {
    std::vector<std::unique_ptr<FontDescr>> Records; // in the order they arrived
    std::size_t Read = 0, Total = 0;
    bool Done = false;
    int Batches = 0;
};

// Lists folder to the end and takes every batch.
Listed ListToTheEnd(nq::FontListing& listing, const std::string& folder, const FontScope& scope) {
    std::atomic<int> notified{0};
    const unsigned generation = listing.Start(folder, scope, [&](unsigned) { ++notified; });
    listing.Wait();
    Listed listed;
    for (nq::ListingBatch& batch : listing.TakeBatches()) {
        EXPECT_EQ(batch.Generation, generation);
        ++listed.Batches;
        listed.Read = batch.Read;
        listed.Total = batch.Total;
        listed.Done = batch.Done;
        for (auto& record : batch.Records)
            listed.Records.push_back(std::move(record));
    }
    EXPECT_EQ(notified, listed.Batches) << "every batch is announced";
    EXPECT_FALSE(listing.Reading());
    return listed;
}

// A collection of every format, a file that is no font and one that is not
// read at all by its extension; the cache file lies beside it.
class ListingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(MakeFolder(Folder()));
        ASSERT_TRUE(WriteFile(Folder() + "true.ttf", fixtures::TrueTypeFont("Tru", "Tru Type")));
        ASSERT_TRUE(WriteFile(Folder() + "cff.otf", fixtures::OpenTypeFont("Cee", "Cee Eff")));
        ASSERT_TRUE(WriteFile(Folder() + "pair.ttc",
                              fixtures::TwoFaceCollection("Pair One", "Pair Two", true)));
        ASSERT_TRUE(WriteFile(Folder() + "bitmap.fon", fixtures::BitmapFont("Bitty")));
        ASSERT_TRUE(WriteFile(Folder() + "broken.ttf", "no font inside"));
        ASSERT_TRUE(WriteFile(Folder() + "notes.txt", "not listed"));
        ASSERT_TRUE(CopyFileW(libtest::Wide(kDejaVuSans).c_str(),
                              libtest::Wide(Folder() + "dejavu.ttf").c_str(), TRUE));
    }
    void TearDown() override { libtest::DeleteFontValue("Tru Type"); }

    std::string Folder() const { return root_.Path() + "C\\"; }
    std::wstring CachePath() const { return libtest::Wide(root_.Path() + "NimbQuillbox.cache"); }

    // A listing over the cache file whose reader counts the files it opens.
    std::unique_ptr<nq::FontListing> NewListing() {
        auto listing = std::make_unique<nq::FontListing>();
        listing->UseCacheFile(CachePath());
        listing->SetReader([this](const std::string& path, FontNameBuffers& names) {
            ++opened_[path];
            return ReadFontFileNames(path, names);
        });
        return listing;
    }
    int Opened() const {
        int total = 0;
        for (const auto& entry : opened_)
            total += entry.second;
        return total;
    }

    TempFolder root_;
    FontScope scope_ = libtest::Machine(root_.Path());
    std::map<std::string, int> opened_;
    static constexpr int kFontFiles = 6; // the .txt is never read
    static constexpr std::size_t kRecords = 5;
};

void ExpectSameRecords(const std::vector<std::unique_ptr<FontDescr>>& a,
                       const std::vector<std::unique_ptr<FontDescr>>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(a[i]->Path);
        EXPECT_EQ(a[i]->Path, b[i]->Path);
        EXPECT_EQ(a[i]->Name, b[i]->Name);
        EXPECT_EQ(a[i]->Copyright, b[i]->Copyright);
        EXPECT_EQ(a[i]->Trademark, b[i]->Trademark);
        EXPECT_EQ(a[i]->Family, b[i]->Family);
        EXPECT_EQ(a[i]->Installed, b[i]->Installed);
        EXPECT_EQ(a[i]->Format, b[i]->Format);
        EXPECT_EQ(a[i]->FaceCount, b[i]->FaceCount);
        EXPECT_EQ(a[i]->CffOutlines, b[i]->CffOutlines);
    }
}

TEST_F(ListingTest, AnUnchangedFileIsNotOpenedAgainAndItsCachedRecordIsTheReadOne) {
    std::vector<std::unique_ptr<FontDescr>> scanned;
    ScanFontFolder(Folder(), scope_, [&](std::unique_ptr<FontDescr> record) {
        scanned.push_back(std::move(record));
    });

    Listed first = ListToTheEnd(*NewListing(), Folder(), scope_);
    EXPECT_TRUE(first.Done);
    EXPECT_EQ(first.Read, static_cast<std::size_t>(kFontFiles));
    EXPECT_EQ(first.Total, static_cast<std::size_t>(kFontFiles));
    EXPECT_EQ(Opened(), kFontFiles);
    ExpectSameRecords(first.Records, scanned);
    ASSERT_EQ(first.Records.size(), kRecords);

    // The next run (a new listing over the same file) opens nothing, the
    // file that is no font included, and gives every field as read.
    opened_.clear();
    Listed second = ListToTheEnd(*NewListing(), Folder(), scope_);
    EXPECT_EQ(Opened(), 0);
    ExpectSameRecords(second.Records, first.Records);

    // Installed is asked of the registry every time, never taken from the cache.
    libtest::SetFontValue("Tru Type", Folder() + "true.ttf");
    Listed third = ListToTheEnd(*NewListing(), Folder(), scope_);
    EXPECT_EQ(Opened(), 0);
    for (const auto& record : third.Records)
        EXPECT_EQ(record->Installed, record->Name == "Tru Type") << record->Name;
}

TEST_F(ListingTest, AFileWhoseSizeOrTimeChangedIsReadAgain) {
    ListToTheEnd(*NewListing(), Folder(), scope_);
    struct Case {
        const char* What;
        std::function<void(const std::string& path)> Change;
        std::string Expected; // its name after the change
    };
    const std::vector<Case> cases = {
        {"another font of another size",
         [](const std::string& path) {
             ASSERT_TRUE(WriteFile(path, fixtures::TrueTypeFont("Tru", "Tru Type Renamed")));
         },
         "Tru Type Renamed"},
        {"the same size, another time",
         [](const std::string& path) {
             const std::string content = fixtures::TrueTypeFont("Tru", "Tru Type Again!!");
             ASSERT_EQ(content.size(), libtest::ReadFile(path).size());
             nq::UniqueFile file(CreateFileW(libtest::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
             FILETIME time;
             ASSERT_TRUE(GetFileTime(file.get(), nullptr, nullptr, &time));
             DWORD written = 0;
             ASSERT_TRUE(::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()),
                                     &written, nullptr));
             ULARGE_INTEGER later{{time.dwLowDateTime, time.dwHighDateTime}};
             later.QuadPart += 10'000'000; // one second
             time = {later.LowPart, later.HighPart};
             ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &time));
         },
         "Tru Type Again!!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        c.Change(Folder() + "true.ttf");
        opened_.clear();
        Listed listed = ListToTheEnd(*NewListing(), Folder(), scope_);
        EXPECT_EQ(opened_, (std::map<std::string, int>{{Folder() + "true.ttf", 1}}));
        bool found = false;
        for (const auto& record : listed.Records)
            found |= record->Name == c.Expected;
        EXPECT_TRUE(found) << "the new name is listed";
    }
}

TEST_F(ListingTest, EntriesOfFilesThatAreGoneLeaveTheCacheFileOtherFoldersStay) {
    ASSERT_TRUE(MakeFolder(root_.Path() + "D"));
    ASSERT_TRUE(WriteFile(root_.Path() + "D\\other.otf", fixtures::OpenTypeFont("Oth", "Oth")));
    {
        auto listing = NewListing();
        ListToTheEnd(*listing, Folder(), scope_);
        ListToTheEnd(*listing, root_.Path() + "D\\", scope_);
    }
    EXPECT_EQ(nq::catalogue::LoadCatalogueCache(CachePath()).Size(), kFontFiles + 1u);

    ASSERT_TRUE(DeleteFileW(libtest::Wide(Folder() + "cff.otf").c_str()));
    ASSERT_TRUE(DeleteFileW(libtest::Wide(Folder() + "broken.ttf").c_str()));
    opened_.clear();
    Listed listed = ListToTheEnd(*NewListing(), Folder(), scope_);
    EXPECT_EQ(listed.Records.size(), kRecords - 1);
    EXPECT_EQ(Opened(), 0);
    const nq::catalogue::CatalogueCache saved = nq::catalogue::LoadCatalogueCache(CachePath());
    EXPECT_EQ(saved.Size(), kFontFiles - 2u + 1u) << "the two files are gone, D's file stays";
}

TEST_F(ListingTest, ABadCacheFileIsIgnoredAndRebuilt) {
    ListToTheEnd(*NewListing(), Folder(), scope_);
    const std::string good = libtest::ReadFile(root_.Path() + "NimbQuillbox.cache");
    ASSERT_GT(good.size(), 24u);
    // The same cache sealed as a later format version.
    std::string future = good;
    future[8] = static_cast<char>(nq::catalogue::kCacheFormatVersion + 1);
    const std::uint64_t sum = nq::catalogue::CacheChecksum(
        reinterpret_cast<const unsigned char*>(future.data()), future.size() - 8);
    for (int i = 0; i < 8; ++i)
        future[future.size() - 8 + i] = static_cast<char>(sum >> (8 * i));
    std::string flipped = good;
    flipped[good.size() / 2] ^= 0x20;

    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"truncated", good.substr(0, good.size() / 2)},
        {"one byte flipped", flipped},
        {"a future version", future},
        {"something else", std::string(4096, '\xFF')},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(WriteFile(root_.Path() + "NimbQuillbox.cache", bytes));
        opened_.clear();
        Listed listed = ListToTheEnd(*NewListing(), Folder(), scope_);
        EXPECT_EQ(Opened(), kFontFiles) << "every file is read";
        EXPECT_EQ(listed.Records.size(), kRecords);
        EXPECT_EQ(libtest::ReadFile(root_.Path() + "NimbQuillbox.cache"), good)
            << "the file is rebuilt";
    }
}

TEST_F(ListingTest, ACacheThatCannotBeWrittenKeepsTheOldFileAndTheListingWorks) {
    ListToTheEnd(*NewListing(), Folder(), scope_);
    const std::string old = libtest::ReadFile(root_.Path() + "NimbQuillbox.cache");
    // The temporary file cannot be made: the write stops before the rename.
    ASSERT_TRUE(CreateDirectoryW(nq::TemporaryPathFor(CachePath()).c_str(), nullptr));
    ASSERT_TRUE(WriteFile(Folder() + "added.otf", fixtures::OpenTypeFont("Add", "Added")));
    auto listing = NewListing();
    Listed listed = ListToTheEnd(*listing, Folder(), scope_);
    EXPECT_EQ(listed.Records.size(), kRecords + 1);
    EXPECT_FALSE(listing->SaveCache());
    EXPECT_EQ(libtest::ReadFile(root_.Path() + "NimbQuillbox.cache"), old);
    RemoveDirectoryW(nq::TemporaryPathFor(CachePath()).c_str());
    EXPECT_TRUE(listing->SaveCache());
    EXPECT_EQ(nq::catalogue::LoadCatalogueCache(CachePath()).Size(), kFontFiles + 1u);
}

TEST_F(ListingTest, BatchesHandOverWholeRecordsAndAStartedListingCancelsTheOld) {
    // Many files, read slowly: the first record comes alone and at once.
    ASSERT_TRUE(MakeFolder(root_.Path() + "Big"));
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(WriteFile(root_.Path() + "Big\\f" + std::to_string(i) + ".otf",
                              fixtures::OpenTypeFont("Big", "Big " + std::to_string(i))));
    nq::FontListing listing;
    std::atomic<int> bigOpened{0};
    listing.SetReader([&](const std::string& path, FontNameBuffers& names) {
        if (path.find("\\Big\\") != std::string::npos) {
            ++bigOpened;
            Sleep(10);
        }
        return ReadFontFileNames(path, names);
    });
    std::atomic<int> notified{0};
    const unsigned big =
        listing.Start(root_.Path() + "Big\\", scope_, [&](unsigned) { ++notified; });
    while (notified < 2) // the count, then the first record
        Sleep(1);
    std::vector<nq::ListingBatch> early = listing.TakeBatches();
    ASSERT_GE(early.size(), 2u);
    EXPECT_EQ(early[0].Total, 40u);
    EXPECT_TRUE(early[0].Records.empty());
    EXPECT_EQ(early[1].Records.size(), 1u);
    EXPECT_TRUE(listing.Reading());
    EXPECT_EQ(listing.FilesTotal(), 40u);

    // Another listing stops the first between two files; nothing of the
    // first arrives after it.
    const unsigned next = listing.Start(Folder(), scope_, [](unsigned) {});
    const int openedAtCancel = bigOpened;
    EXPECT_LT(openedAtCancel, 40);
    EXPECT_NE(next, big);
    listing.Wait();
    std::size_t records = 0;
    for (const nq::ListingBatch& batch : listing.TakeBatches()) {
        EXPECT_EQ(batch.Generation, next);
        for (const auto& record : batch.Records) {
            EXPECT_EQ(record->Path.find("\\Big\\"), std::string::npos);
            ++records;
        }
    }
    EXPECT_EQ(records, kRecords);
    EXPECT_EQ(bigOpened, openedAtCancel);

    // Cancel alone: nothing more is read, nothing waits.
    listing.Start(root_.Path() + "Big\\", scope_, [](unsigned) {});
    listing.Cancel();
    EXPECT_FALSE(listing.Reading());
    EXPECT_TRUE(listing.TakeBatches().empty());
}

TEST(RegisteredFonts, AnswersAsTheKeyAnswersEachFile) {
    TempFolder root;
    const FontScope scope = libtest::Machine(root.Path());
    const std::string tag = "NQ " + std::to_string(GetCurrentProcessId()) + " ";
    struct Case {
        const char* What;
        std::string Name;      // the record's display name
        bool Cff;              // registered as " (OpenType)"
        std::string ValueName; // the value set (empty: none)
        std::string Data;      // its data
        DWORD Type;
        bool Installed;
    };
    const std::string file = root.Path() + "f.ttf";
    const std::string cyrillic = "\xD0\xA8\xD1\x80\xD0\xB8\xD1\x84\xD1\x82"; // Шрифт
    const std::string cyrillicLower = "\xD1\x88\xD1\x80\xD0\xB8\xD1\x84\xD1\x82";
    const std::vector<Case> cases = {
        {"the full path", tag + "Full", false, tag + "Full (TrueType)", file, REG_SZ, true},
        {"a bare name in the root", tag + "Bare", false, tag + "Bare (TrueType)", "f.ttf", REG_SZ,
         true},
        {"a value name in other case", tag + "Case", false, tag + "CASE (truetype)", file,
         REG_EXPAND_SZ, true},
        {"non-ASCII letters in other case", tag + cyrillic, false,
         tag + cyrillicLower + " (TrueType)", file, REG_SZ, true},
        {"the OpenType name", tag + "Cff", true, tag + "Cff (OpenType)", file, REG_SZ, true},
        {"the other name of the same font", tag + "Other", true, tag + "Other (TrueType)", file,
         REG_SZ, true},
        {"another file", tag + "Elsewhere", false, tag + "Elsewhere (TrueType)",
         root.Path() + "g.ttf", REG_SZ, false},
        {"no value", tag + "None", false, "", "", REG_SZ, false},
        {"a number", tag + "Number", false, tag + "Number (TrueType)", "1234", REG_DWORD, false},
    };
    const nq::UniqueRegKey key = nq::CreateKey(HKEY_LOCAL_MACHINE, nq::kFontsKey, KEY_ALL_ACCESS);
    ASSERT_TRUE(key);
    for (const Case& c : cases) {
        if (c.ValueName.empty())
            continue;
        const std::wstring name = libtest::Wide(c.ValueName), data = libtest::Wide(c.Data);
        const DWORD number = 1234;
        ASSERT_EQ(RegSetValueExW(key.get(), name.c_str(), 0, c.Type,
                                 c.Type == REG_DWORD ? reinterpret_cast<const BYTE*>(&number)
                                                     : reinterpret_cast<const BYTE*>(data.c_str()),
                                 c.Type == REG_DWORD
                                     ? sizeof number
                                     : static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    const RegisteredFonts registered(scope);
    EXPECT_GE(registered.Size(), cases.size() - 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        FontDescr record;
        record.Name = c.Name;
        record.Path = file;
        record.CffOutlines = c.Cff;
        record.Format =
            c.Cff ? nq::fontfile::FontFormat::kOpenTypeCff : nq::fontfile::FontFormat::kTrueType;
        EXPECT_EQ(RegistryNamesFile(key.get(), record, scope), c.Installed);
        EXPECT_EQ(registered.NamesFile(record, scope), c.Installed);
    }
    for (const Case& c : cases)
        if (!c.ValueName.empty())
            RegDeleteValueW(key.get(), libtest::Wide(c.ValueName).c_str());
}

} // namespace
