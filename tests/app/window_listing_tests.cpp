// The client window while a listing reads: rows as they arrive, the count
// text, the search box over what arrived, clicking away, actions that need
// every font, closing mid-listing and the cache on the next run.
#include "window_test_support.h"

#include "catalogue_cache_file.h"
#include "control_ids.h"
#include "font_catalogue.h"
#include "font_fixtures.h"
#include "program_files.h"

#include <algorithm>
#include <atomic>
#include <functional>

namespace {

using Rows = std::vector<std::string>;

constexpr int kBigFonts = 40;

class ListingWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA((Root() + "Big").c_str(), nullptr));
        for (int i = 0; i < kBigFonts; ++i)
            WriteFileText(Root() + "Big\\f" + std::to_string(i) + ".otf",
                          fixtures::OpenTypeFont("Big", "Big " + std::to_string(i)));
        ASSERT_TRUE(CreateDirectoryA((Root() + "Small").c_str(), nullptr));
        CopyHostFont(kDejaVuSans, Root() + "Small\\DejaVuSans.ttf");
        WriteFileText(Root() + "Small\\tt.ttf", fixtures::TrueTypeFont("Tee", "Tee Tee"));
    }

    // Opens the window with a reader that counts the files of Big it opens
    // and takes its time over each, as a large collection would.
    std::unique_ptr<TfrmMiddle> OpenSlow(DWORD millisPerFile = 15) {
        auto form = Open();
        form->SetRecordReader(
            [this, millisPerFile](const std::string& path, FontNameBuffers& names) {
                if (path.find("\\Big\\") != std::string::npos) {
                    ++bigOpened_;
                    Sleep(millisPerFile);
                }
                return ReadFontFileNames(path, names);
            });
        return form;
    }
    int RowOf(TfrmMiddle& form, const std::string& collection) {
        return FindRow(Control(form, ctl::LbFolders), collection);
    }
    static Rows FontRows(TfrmMiddle& form) { return ListRows(Control(form, ctl::LbFonts)); }

    // Dispatches the window's messages until done() holds (a few seconds at most).
    static bool PumpUntil(const std::function<bool()>& done) {
        const ULONGLONG deadline = GetTickCount64() + 10000;
        while (!done()) {
            if (GetTickCount64() > deadline)
                return false;
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(1);
        }
        return true;
    }
    // Big's rows, as the sorted list shows them.
    static Rows BigRows(const std::string& containing = "") {
        Rows rows;
        for (int i = 0; i < kBigFonts; ++i)
            if (("Big " + std::to_string(i)).find(containing) != std::string::npos)
                rows.push_back("Big " + std::to_string(i));
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    std::atomic<int> bigOpened_{0};
};

TEST_F(ListingWindowTest, RowsArriveSortedWithTheReadingCountUntilTheListingIsDone) {
    auto form = OpenSlow();
    ClickFolder(*form, RowOf(*form, "Big"), false);
    ASSERT_TRUE(PumpUntil([&] { return !FontRows(*form).empty(); }));
    ASSERT_TRUE(form->ListingFonts()) << "the first row shows long before the last file";
    const std::optional<std::string> reading = form->ListingText();
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->rfind("Reading ", 0), 0u) << *reading;
    EXPECT_NE(reading->find(" of 40"), std::string::npos) << *reading;

    // Part-way, the rows that arrived stand in order.
    ASSERT_TRUE(PumpUntil([&] { return FontRows(*form).size() >= 3; }));
    Rows partial = FontRows(*form);
    EXPECT_TRUE(std::is_sorted(partial.begin(), partial.end())) << partial.size();

    WaitForListing(*form);
    EXPECT_EQ(FontRows(*form), BigRows());
    EXPECT_EQ(form->Fonts()->size(), static_cast<std::size_t>(kBigFonts));
    EXPECT_FALSE(form->ListingText()) << "the count text is the plain one again";
    HWND list = Control(*form, ctl::LbFonts);
    for (int row = 0; row < kBigFonts; ++row)
        EXPECT_EQ(
            reinterpret_cast<const FontDescr*>(SendMessageA(list, LB_GETITEMDATA, row, 0))->Name,
            FontRows(*form)[static_cast<std::size_t>(row)]);
    Close(form);
}

TEST_F(ListingWindowTest, ClickingAnotherCollectionMidListingCancelsItAtOnce) {
    auto form = OpenSlow();
    struct Case {
        const char* What;
        std::function<void()> SwitchAway;
    };
    const std::vector<Case> cases = {
        {"another collection", [&] { ClickFolder(*form, RowOf(*form, "Small")); }},
        {"the same collection again (a relisting)",
         [&] { ClickFolder(*form, RowOf(*form, "Big"), false); }},
        {"F5, which relists the collection", [&] { form->RefreshCollection(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        ClickFolder(*form, RowOf(*form, "Big"), false);
        ASSERT_TRUE(PumpUntil([&] { return !FontRows(*form).empty(); }));
        bigOpened_ = 0;
        c.SwitchAway();
        const int openedAfterSwitch = bigOpened_;
        EXPECT_LT(openedAfterSwitch, kBigFonts);
        // Late batches of the old listing never show.
        ASSERT_TRUE(PumpUntil([&] { return !form->ListingFonts(); }) || !form->ListingFonts());
        const Rows rows = FontRows(*form);
        if (rows.size() == 2) {
            EXPECT_EQ(rows, (Rows{"DejaVu Sans", "Tee Tee"}));
            EXPECT_EQ(form->Fonts()->size(), 2u);
            Sleep(100);
            PumpUntil([] { return true; });
            EXPECT_EQ(FontRows(*form), rows);
            EXPECT_EQ(bigOpened_, openedAfterSwitch) << "the old listing read on";
        } else {
            EXPECT_EQ(rows, BigRows()) << "the relisting lists each font once";
            EXPECT_EQ(form->Fonts()->size(), static_cast<std::size_t>(kBigFonts));
        }
    }
    Close(form);
}

TEST_F(ListingWindowTest, TheSearchBoxFiltersWhatHasArrivedAndWhatArrivesLater) {
    auto form = OpenSlow();
    ClickFolder(*form, RowOf(*form, "Big"), false);
    ASSERT_TRUE(PumpUntil([&] { return !FontRows(*form).empty(); }));
    ClickSearchBox(*form);
    TypeSearch(*form, "big 3");
    for (const std::string& row : FontRows(*form))
        EXPECT_NE(row.find("Big 3"), std::string::npos) << row;
    WaitForListing(*form);
    EXPECT_EQ(FontRows(*form), BigRows("Big 3"));
    EXPECT_EQ(form->Fonts()->size(), static_cast<std::size_t>(kBigFonts));
    Close(form);
}

TEST_F(ListingWindowTest, SwitchingTheCollectionOffWaitsForEveryFont) {
    // Every font of Big is on: the switch must find all forty.
    for (int i = 0; i < kBigFonts; ++i)
        SetFontValue(HKEY_LOCAL_MACHINE, "Big " + std::to_string(i),
                     Root() + "Big\\f" + std::to_string(i) + ".otf", " (OpenType)");
    auto form = OpenSlow(5);
    ClickFolder(*form, RowOf(*form, "Big"), false);
    ASSERT_TRUE(PumpUntil([&] { return !FontRows(*form).empty(); }));
    form->Button2Click();
    EXPECT_FALSE(form->ListingFonts());
    EXPECT_TRUE(form->CollectionOff());
    EXPECT_EQ(SplitTextLines(ReadFileText(Root() + "Big\\disabled.txt")).size(),
              static_cast<std::size_t>(kBigFonts));
    for (int i = 0; i < kBigFonts; ++i)
        EXPECT_EQ(FontValue(HKEY_LOCAL_MACHINE, "Big " + std::to_string(i), " (OpenType)"), "");
    Close(form);
}

TEST_F(ListingWindowTest, ClosingMidListingKeepsWhatWasReadForTheNextRun) {
    auto form = OpenSlow();
    ClickFolder(*form, RowOf(*form, "Big"), false);
    ASSERT_TRUE(PumpUntil([&] { return FontRows(*form).size() >= 2; }));
    Close(form); // neither a hang nor a crash
    const std::wstring cachePath = Wide(program_.Path() + "NimbQuillbox.cache");
    const std::size_t cached = nq::catalogue::LoadCatalogueCache(cachePath).Size();
    EXPECT_GE(cached, 2u);
    EXPECT_LT(cached, static_cast<std::size_t>(kBigFonts));

    // The next run opens only the files it had not read; its rows are whole.
    bigOpened_ = 0;
    form = OpenSlow(0);
    ClickFolder(*form, RowOf(*form, "Big"));
    EXPECT_EQ(bigOpened_, kBigFonts - static_cast<int>(cached));
    EXPECT_EQ(FontRows(*form), BigRows());
    Close(form);
    EXPECT_EQ(nq::catalogue::LoadCatalogueCache(cachePath).Size(),
              static_cast<std::size_t>(kBigFonts));

    // A third run opens nothing of Big.
    bigOpened_ = 0;
    form = OpenSlow(0);
    ClickFolder(*form, RowOf(*form, "Big"));
    EXPECT_EQ(bigOpened_, 0);
    EXPECT_EQ(FontRows(*form), BigRows());
    Close(form);
}

} // namespace
