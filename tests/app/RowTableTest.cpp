#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/RowTable.h"
#include "grid/base/Errors.h"

namespace tolvane {
namespace {

using TRow = TRowTable::TRow;

TRow MakeRow(int key, int serial) {
    return {QVariant(qlonglong(key)), QVariant(QString("row %1").arg(serial))};
}

void ExpectSame(const TRowTable& table, const std::vector<TRow>& expected) {
    ASSERT_EQ(table.size(), expected.size());
    for (std::size_t r = 0; r < expected.size(); ++r) ASSERT_EQ(table.Row(r), expected[r]) << "row " << r;
}

// Rows go in at the start, at and around a block's end, and at the end of the table; each one
// shifts the rows after it across the blocks they span.
TEST(RowTableTest, InsertedRowsKeepEveryOtherRowInPlace) {
    struct TCase {
        int rows;
        std::vector<int> at;
    };
    const TCase cases[] = {{0, {0}}, {5, {0, 3, 7}}, {1024, {1023, 1024, 1026}}, {2047, {0, 1024, 2049, 1023}}};
    for (const TCase& c : cases) {
        TRowTable table;
        std::vector<TRow> expected;
        for (int r = 0; r < c.rows; ++r) {
            table.push_back(MakeRow(r, r));
            expected.push_back(MakeRow(r, r));
        }
        int serial = c.rows;
        for (const int at : c.at) {
            table.Insert(std::size_t(at), MakeRow(-1, serial));
            expected.insert(expected.begin() + at, MakeRow(-1, serial));
            ++serial;
        }
        SCOPED_TRACE(c.rows);
        ExpectSame(table, expected);
    }
}

TEST(RowTableTest, SortingKeepsTheOrderOfEqualKeysOverManyBlocks) {
    TRowTable table;
    std::vector<TRow> expected;
    for (int r = 0; r < 3000; ++r) {
        const int key = (r * 7919) % 97; // every key many times, spread over three blocks
        table.push_back(MakeRow(key, r));
        expected.push_back(MakeRow(key, r));
    }
    const auto byKey = [](const auto& a, const auto& b) { return a[0].toLongLong() < b[0].toLongLong(); };
    table.StableSort([&](TRowTable::TConstRowView a, TRowTable::TConstRowView b) { return byKey(a, b); });
    std::stable_sort(expected.begin(), expected.end(), byKey);
    ExpectSame(table, expected);
}

// A shorter row is padded with empty values, even over a row held before; a wider one is refused.
TEST(RowTableTest, RowsTakeTheWidthOfTheFirst) {
    TRowTable table;
    table.push_back(MakeRow(1, 1));
    table.push_back({QVariant(qlonglong(2))});
    EXPECT_THROW(table.push_back({QVariant(1), QVariant(2), QVariant(3)}), EListError);
    EXPECT_THROW(table.Assign(0, {QVariant(1), QVariant(2), QVariant(3)}), EListError);
    table.Assign(0, {QVariant(qlonglong(3))});
    ExpectSame(table, {{QVariant(qlonglong(3)), QVariant()}, {QVariant(qlonglong(2)), QVariant()}});
}

} // namespace
} // namespace tolvane
