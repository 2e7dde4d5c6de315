#include "collection_store.h"

#include "collection_name.h"
#include "library_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using libtest::Exists;
using libtest::IsFolder;
using libtest::ListTree;
using libtest::MakeFolder;
using libtest::TempFolder;
using libtest::WriteFile;

namespace {

std::vector<std::pair<std::string, bool>> Sorted(const std::vector<CollectionEntry>& entries) {
    std::vector<std::pair<std::string, bool>> out;
    for (const CollectionEntry& entry : entries)
        out.emplace_back(entry.Name, entry.Off);
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> Names(const std::vector<CollectionEntry>& entries) {
    std::vector<std::string> out;
    for (const CollectionEntry& entry : entries)
        out.push_back(entry.Name);
    return out;
}

} // namespace

TEST(SystemFontsRoot, IsTheWindowsFolderFollowedByFonts) {
    char windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    const std::string root = SystemFontsRoot();
    EXPECT_EQ(root, std::string(windows) + "\\fonts\\");
    EXPECT_TRUE(IsFolder(root));
}

TEST(EnumerateCollections, ListsVisibleFoldersWithTheirOffFlags) {
    TempFolder root;
    const std::string r = root.Path();
    ASSERT_TRUE(MakeFolder(r + "Alpha"));
    ASSERT_TRUE(MakeFolder(r + "Switched Off"));
    ASSERT_TRUE(WriteFile(r + "Switched Off\\disabled.txt", "DejaVu Sans\r\n"));
    ASSERT_TRUE(MakeFolder(r + "Empty Off"));
    ASSERT_TRUE(WriteFile(r + "Empty Off\\disabled.txt", ""));
    // A folder called disabled.txt is not the off marker.
    ASSERT_TRUE(MakeFolder(r + "Odd"));
    ASSERT_TRUE(MakeFolder(r + "Odd\\disabled.txt"));
    ASSERT_TRUE(MakeFolder(r + "Hidden"));
    ASSERT_TRUE(SetFileAttributesA((r + "Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(MakeFolder(r + "System"));
    ASSERT_TRUE(SetFileAttributesA((r + "System").c_str(), FILE_ATTRIBUTE_SYSTEM));
    // Files at the root belong to "All Fonts", not to any collection.
    ASSERT_TRUE(WriteFile(r + "loose.ttf", "x"));
    ASSERT_TRUE(WriteFile(r + "disabled.txt", ""));
    ASSERT_TRUE(MakeFolder(r + "Alpha\\Nested"));

    ASSERT_TRUE(GetFileAttributesA((r + "Hidden").c_str()) & FILE_ATTRIBUTE_HIDDEN)
        << "this file system cannot hold the hidden attribute";
    const std::vector<std::pair<std::string, bool>> expected = {
        {"Alpha", false}, {"Empty Off", true}, {"Odd", false}, {"Switched Off", true}};
    EXPECT_EQ(Sorted(EnumerateCollections(r)), expected);
}

TEST(EnumerateCollections, FollowsTheEnumerationOrder) {
    TempFolder root;
    for (const char* name : {"b", "c", "a", "Zed", "yak"})
        ASSERT_TRUE(MakeFolder(root.Path() + name));
    std::vector<std::string> enumerated;
    for (const std::string& entry : ListTree(root.Path()))
        enumerated.push_back(entry);
    EXPECT_EQ(Names(EnumerateCollections(root.Path())), enumerated);
}

TEST(EnumerateCollections, EmptyOrMissingRootGivesNoCollections) {
    TempFolder root;
    EXPECT_TRUE(EnumerateCollections(root.Path()).empty());
    EXPECT_TRUE(EnumerateCollections(root.Path() + "missing\\").empty());
    ASSERT_TRUE(WriteFile(root.Path() + "only-a-file.ttf", ""));
    EXPECT_TRUE(EnumerateCollections(root.Path()).empty());
}

TEST(CollectionDisabled, FollowsTheMarkerFile) {
    TempFolder root;
    const std::string folder = root.Path() + "Coll\\";
    ASSERT_TRUE(MakeFolder(folder));
    EXPECT_FALSE(CollectionDisabled(folder));
    ASSERT_TRUE(WriteFile(folder + "disabled.txt", ""));
    EXPECT_TRUE(CollectionDisabled(folder));
    ASSERT_TRUE(DeleteFileA((folder + "disabled.txt").c_str()));
    EXPECT_FALSE(CollectionDisabled(folder));
    EXPECT_FALSE(CollectionDisabled(root.Path() + "Missing\\"));
}

// Collections are created under a root that itself lies in an outer folder, so
// that a name escaping the root would leave traces that the test can see.
class NewCollection : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = outer_.Path() + "fonts\\";
        ASSERT_TRUE(MakeFolder(root_));
        ASSERT_TRUE(MakeFolder(root_ + "Existing"));
        ASSERT_TRUE(WriteFile(root_ + "plain.ttf", "x"));
    }

    // The name is refused with a message and neither the root nor its
    // surroundings change.
    void ExpectRefused(const std::string& name) {
        const std::vector<std::string> before = ListTree(outer_.Path());
        EXPECT_NE(CheckCollectionName(root_, name), "") << name;
        EXPECT_FALSE(CreateCollectionFolder(root_, name)) << name;
        EXPECT_EQ(ListTree(outer_.Path()), before) << name;
    }

    TempFolder outer_;
    std::string root_;
};

TEST_F(NewCollection, CreatesOrdinaryAndNonAsciiNames) {
    // Names are UTF-8: the Windows code page spells the second, not the last.
    const std::string japanese = "\xE6\x98\x8E\xE6\x9C\x9D\xE4\xBD\x93"; // 明朝体
    for (const std::string& name :
         {std::string("New Collection"), std::string("Caf\xC3\xA9 \xC3\x84rger"),
          std::string("v1.2"), std::string(" spaced"), japanese}) {
        EXPECT_EQ(CheckCollectionName(root_, name), "") << name;
        EXPECT_TRUE(CreateCollectionFolder(root_, name)) << name;
        EXPECT_TRUE(IsFolder(root_ + name)) << name;
    }
    const std::vector<std::pair<std::string, bool>> expected = {
        {" spaced", false},  {"Caf\xC3\xA9 \xC3\x84rger", false},
        {"Existing", false}, {"New Collection", false},
        {"v1.2", false},     {japanese, false}};
    EXPECT_EQ(Sorted(EnumerateCollections(root_)), expected);
}

TEST_F(NewCollection, RefusesMalformedNames) {
    for (const std::string& name :
         {std::string(""), std::string("   "), std::string("."), std::string(".."),
          std::string("..."), std::string("a*b"), std::string("a?b"), std::string("a\"b"),
          std::string("a<b"), std::string("a>b"), std::string("a|b"), std::string("tab\tin"),
          std::string("Trailing."), std::string("Trailing "), std::string("CON"),
          std::string("con.txt"), std::string("Lpt3"), std::string("nul.fonts")})
        ExpectRefused(name);
}

TEST_F(NewCollection, NoNameLeavesTheRoot) {
    for (const std::string& name :
         {std::string("..\\escape"), std::string("sub\\..\\..\\x"), std::string("../escape"),
          std::string("Existing\\inner"), std::string("new\\inner"), std::string("\\rooted"),
          outer_.Path() + "absolute", std::string("C:escape"), std::string("name:stream")})
        ExpectRefused(name);
    EXPECT_FALSE(Exists(outer_.Path() + "escape"));
    EXPECT_FALSE(Exists(outer_.Path() + "x"));
    EXPECT_FALSE(Exists(root_ + "Existing\\inner"));
}

TEST_F(NewCollection, RefusesExistingFoldersAndFilesInAnyCase) {
    for (const std::string& name :
         std::vector<std::string>{"Existing", "EXISTING", "plain.ttf", "Plain.TTF"}) {
        EXPECT_EQ(CheckCollectionName(root_, name),
                  "A collection or file named \"" + name + "\" already exists.");
        ExpectRefused(name);
    }
}

TEST_F(NewCollection, LongestNameStillHoldsItsFiles) {
    const std::size_t room = kMaxCollectionFolderLength - root_.size();
    const std::string longest(room, 'L');
    ExpectRefused(longest + "L");
    EXPECT_EQ(CheckCollectionName(root_, longest), "");
    ASSERT_TRUE(CreateCollectionFolder(root_, longest));
    // Switching the collection off writes this file: it must fit.
    EXPECT_TRUE(WriteFile(root_ + longest + "\\disabled.txt", ""));
    EXPECT_TRUE(CollectionDisabled(root_ + longest + "\\"));
    ASSERT_EQ(EnumerateCollections(root_).size(), 2u);
}
