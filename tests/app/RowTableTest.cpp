#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// Every value reads back as it went in — its type, whether it is null, what it holds — whichever
// way its column keeps it, also when a column changes its way partway (a text after numbers, the
// 257th distinct text, a value set over a held one).
TEST(RowTableTest, ValuesReadBackExactlyInEveryFormOfColumn) {
    const QVariant nullText(QMetaType::fromType<QString>());
    const QVariant nullNumber(QMetaType::fromType<qlonglong>());
    struct TCase {
        std::vector<QVariant> pushed;
        std::vector<std::pair<std::size_t, QVariant>> set; // row, value set over the one held
    };
    std::vector<QVariant> many;
    for (int i = 0; i < 600; ++i) many.push_back(i % 100 == 7 ? nullText : QVariant(QString("Title %1").arg(i)));
    std::vector<QVariant> names;
    for (int i = 0; i < 600; ++i) names.push_back(QVariant(QString("Title %1").arg(i)));
    const QVariant numbers[] = {QVariant(qlonglong(1)), QVariant(qlonglong(-5000000000LL)), QVariant(qlonglong(3))};
    const TCase cases[] = {
        {{numbers[0], numbers[1], numbers[2]}, {{1, QVariant(qlonglong(4))}}},
        {{numbers[0], numbers[1], numbers[2]}, {{0, QVariant(QString("x"))}}},
        {{numbers[0], QVariant(QString("1")), nullNumber, QVariant(2), numbers[0]}, {}},
        {{QVariant(QString("TV")), QVariant(QString("")), nullText, QVariant(), QVariant(QString("TV")), QVariant(0.0),
          QVariant(-0.0), QVariant(QByteArray("TV")), nullText},
         {{0, QVariant(-0.0)}}},
        {{QVariant(QString("TV")), QVariant(QString("OVA"))}, {{0, many[1]}}},
        {many, {{0, QVariant(QString("Title 599"))}, {599, nullText}}},
        {names, {{0, QVariant(QString("Title 599"))}, {1, QVariant(QString(""))}}},
        {names, {{0, QVariant(QString("x"))}, {5, nullText}}},
    };
    const auto same = [](const QVariant& a, const QVariant& b) {
        return a.typeId() == b.typeId() && a.isNull() == b.isNull() &&
               (a.typeId() == QMetaType::Double ? std::signbit(a.toDouble()) == std::signbit(b.toDouble()) : true) &&
               a == b;
    };
    for (const TCase& c : cases) {
        TRowTable table;
        std::vector<QVariant> expected = c.pushed;
        for (const QVariant& v : c.pushed) table.push_back({QVariant(qlonglong(0)), v});
        for (const auto& [row, value] : c.set) {
            table.SetValue(row, 1, value);
            expected[row] = value;
        }
        for (std::size_t r = 0; r < expected.size(); ++r) {
            const QVariant read = table.Value(r, 1);
            EXPECT_TRUE(same(read, expected[r])) << "row " << r << ": " << read.typeName() << " "
                                                 << read.toString().toStdString() << " for " << expected[r].typeName()
                                                 << " " << expected[r].toString().toStdString();
        }
    }
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
