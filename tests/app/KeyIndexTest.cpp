#include <gtest/gtest.h>

#include "app/KeyIndex.h"

namespace tolvane {
namespace {

using Rows = std::vector<int>;

TEST(KeyIndexTest, KeepsEachKeysRowsAscendingWhateverTheOrderOfAdding) {
    TKeyIndex index;
    for (int row : {0, 2, 5}) index.Add(row, 7);
    index.Add(1, 7);
    index.Add(3, -4);
    index.Add(4, 7);
    EXPECT_EQ(index.Rows(7), (Rows{0, 1, 2, 4, 5}));
    EXPECT_EQ(index.Rows(-4), (Rows{3}));
    EXPECT_TRUE(index.Rows(8).empty());
}

TEST(KeyIndexTest, BuildsFromEntriesInAnyOrder) {
    const TKeyIndex sorted({{1, 0}, {1, 1}, {2, 2}, {3, 3}});
    const TKeyIndex shuffled({{3, 3}, {1, 1}, {2, 2}, {1, 0}});
    for (std::int64_t key : {1, 2, 3, 4}) EXPECT_EQ(sorted.Rows(key), shuffled.Rows(key)) << key;
    EXPECT_EQ(shuffled.Rows(1), (Rows{0, 1}));
}

TEST(KeyIndexTest, RemovesOnlyTheGivenRowUnderTheGivenKey) {
    TKeyIndex index;
    index.Add(0, 1);
    index.Add(1, 1);
    index.Add(2, 2);
    index.Remove(1, 2); // not under this key: nothing changes
    index.Remove(9, 1);
    EXPECT_EQ(index.Rows(1), (Rows{0, 1}));
    index.Remove(0, 1);
    EXPECT_EQ(index.Rows(1), (Rows{1}));
    index.Remove(1, 1);
    EXPECT_TRUE(index.Rows(1).empty());
    index.Add(1, 1);
    index.Add(1, 1);
    EXPECT_EQ(index.Rows(1), (Rows{1})) << "a row is under a key once";
    EXPECT_EQ(index.Rows(2), (Rows{2}));
}

} // namespace
} // namespace tolvane
