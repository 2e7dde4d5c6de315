#include "search_filter.h"

#include <gtest/gtest.h>

TEST(LowerAZ, ChangesOnlyTheLettersAToZ) {
    EXPECT_EQ(LowerAZ("Arial BOLD 12 @[`{"), "arial bold 12 @[`{");
    // Letters outside A to Z stay as they are, whatever the code page.
    EXPECT_EQ(LowerAZ("\xC4\xD6\xDC Caf\xC9"), "\xC4\xD6\xDC caf\xC9");
    EXPECT_EQ(LowerAZ(""), "");
}

TEST(PassesSearchFilter, FindsTheTextAnywhereWithoutRegardToCase) {
    EXPECT_TRUE(PassesSearchFilter("Arial Bold", "bold", true));
    EXPECT_TRUE(PassesSearchFilter("BOLDFACE", "bold", true));
    EXPECT_TRUE(PassesSearchFilter("Arial Bold", "ArIaL b", true));
    EXPECT_FALSE(PassesSearchFilter("Arial", "bold", true));
    EXPECT_FALSE(PassesSearchFilter("Arial Bol", "bold", true));
    EXPECT_FALSE(PassesSearchFilter("", "bold", true));
}

TEST(PassesSearchFilter, FoldsOnlyAToZ) {
    EXPECT_FALSE(PassesSearchFilter("\xC4rger", "\xE4rger", true));
    EXPECT_TRUE(PassesSearchFilter("\xC4RGER", "\xC4rger", true));
}

TEST(PassesSearchFilter, PlaceholderShowsEveryFont) {
    EXPECT_TRUE(PassesSearchFilter("Arial", "Search", false));
    EXPECT_TRUE(PassesSearchFilter("Arial", "bold", false));
    EXPECT_TRUE(PassesSearchFilter("", "", false));
}

TEST(PassesSearchFilter, EmptyUserTextPassesNothing) {
    // The box was emptied by hand: an empty text occurs in no name.
    EXPECT_FALSE(PassesSearchFilter("Arial", "", true));
    EXPECT_FALSE(PassesSearchFilter("", "", true));
}
