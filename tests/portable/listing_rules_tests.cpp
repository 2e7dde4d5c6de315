// The count text while a listing reads, and when its reader hands records over.
#include "listing_rules.h"

#include <gtest/gtest.h>

using namespace nq::listing;

TEST(ListingRules, CountTextGroupsDigitsByThousands) {
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {999, "999"},
        {1000, "1,000"},
        {2345, "2,345"},
        {10000, "10,000"},
        {100000, "100,000"},
        {1234567, "1,234,567"},
        {18446744073709551615u, "18,446,744,073,709,551,615"},
    };
    for (const auto& [n, text] : cases)
        EXPECT_EQ(GroupedDigits(n), text) << n;
    EXPECT_EQ(ReadingText(2345, 10000), "Reading 2,345 of 10,000");
    EXPECT_EQ(ReadingText(0, 1), "Reading 0 of 1");
}

TEST(ListingRules, TheFirstRecordGoesAtOnceThenBatchesByCountOrTime) {
    struct Case {
        Pending P;
        bool Due;
        const char* Why;
    };
    const Case cases[] = {
        {{0, 0, false, 5000}, false, "nothing read since the last handover"},
        {{1, 1, false, 0}, true, "the first record shows at once"},
        {{3, 0, false, 0}, false, "no fonts yet, no time passed"},
        {{3, 0, false, kHandoverIntervalMs},
         true,
         "the count moves through files that are no fonts"},
        {{5, 1, true, 0}, false, "later records wait for a batch"},
        {{5, 1, true, kHandoverIntervalMs - 1}, false, "not yet"},
        {{5, 1, true, kHandoverIntervalMs}, true, "the interval passed"},
        {{kMaxBatchRecords, kMaxBatchRecords, true, 0}, true, "a full batch goes at once"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HandOverNow(c.P), c.Due) << c.Why;
}
