#include "search_filter.h"

#include <gtest/gtest.h>

TEST(LowerAZ, ChangesOnlyTheLettersAToZ) {
    EXPECT_EQ(LowerAZ("Arial BOLD 12 @[`{"), "arial bold 12 @[`{");
    // Letters outside A to Z stay as they are, whatever the code page.
    EXPECT_EQ(LowerAZ("\xC4\xD6\xDC Caf\xC9"), "\xC4\xD6\xDC caf\xC9");
    EXPECT_EQ(LowerAZ(""), "");
}

bool Passes(const std::string& name, const std::string& text, bool active) {
    return SearchFilter(text, active).Passes(name);
}

TEST(SearchFilter, FindsTheTextAnywhereWithoutRegardToCase) {
    EXPECT_TRUE(Passes("Arial Bold", "bold", true));
    EXPECT_TRUE(Passes("BOLDFACE", "bold", true));
    EXPECT_TRUE(Passes("Arial Bold", "ArIaL b", true));
    EXPECT_FALSE(Passes("Arial", "bold", true));
    EXPECT_FALSE(Passes("Arial Bol", "bold", true));
    EXPECT_FALSE(Passes("", "bold", true));
}

TEST(SearchFilter, FoldsOnlyAToZ) {
    EXPECT_FALSE(Passes("\xC4rger", "\xE4rger", true));
    EXPECT_TRUE(Passes("\xC4RGER", "\xC4rger", true));
}

TEST(SearchFilter, PlaceholderAndEmptiedBoxShowEveryFont) {
    EXPECT_TRUE(Passes("Arial", "Search", false));
    EXPECT_TRUE(Passes("Arial", "bold", false));
    EXPECT_TRUE(Passes("", "", false));
    // Emptied by hand, the box shows every font, in a listing as in a change.
    EXPECT_TRUE(Passes("Arial", "", true));
    EXPECT_TRUE(Passes("", "", true));
}
