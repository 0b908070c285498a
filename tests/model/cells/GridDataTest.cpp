#include <gtest/gtest.h>

#include <limits>

#include "FakeColumns.h"
#include "grid/base/Errors.h"

using namespace tolvane;
using namespace tolvane::testing;

namespace {

std::vector<QString> Q(std::initializer_list<const char*> texts) {
    std::vector<QString> result;
    for (const char* t : texts) result.emplace_back(t);
    return result;
}

TEST(GridData, CellTextOutOfRangeDoesNothingAndRaisesNothing) {
    GridDataFixture f;
    f.AddColumn(7);
    f.AddColumn(7);
    f.AddTextRows(0, Q({"a", "b", "c"}));
    f.changes.clear();
    for (auto [col, row] :
         {std::pair{0, 5}, std::pair{0, 3}, std::pair{2, 0}, std::pair{-1, 0}, std::pair{0, -1}}) {
        QString value = "unchanged";
        EXPECT_NO_THROW(f.data.GetCellText(col, row, value));
        EXPECT_EQ(value, "unchanged");
        EXPECT_NO_THROW(f.data.SetCellText(col, row, "x"));
    }
    EXPECT_TRUE(f.changes.empty());
    EXPECT_EQ(f.ColumnTexts(0), Q({"a", "b", "c"}));
}

TEST(GridData, ConversionErrorsOfCellTextReachTheCaller) {
    GridDataFixture f;
    f.AddColumn(5);
    f.data.AddRows(1);
    EXPECT_THROW(f.data.SetCellText(0, 0, "abc"), EConvertError);
}

TEST(GridData, OtherOperationsCheckTheirIndexes) {
    GridDataFixture f;
    f.AddColumn(7);
    f.data.AddRows(3);
    EXPECT_THROW(f.data.GetCell(0, 3), EListError);
    EXPECT_THROW(f.data.GetCell(1, 0), EListError);
    EXPECT_THROW(f.data.GetCellColor(0, -1), EListError);
    EXPECT_THROW(f.data.GetRowHeight(3), EListError);
    EXPECT_THROW(f.data.IsRowSelected(-1), EListError);
    EXPECT_THROW(f.data.DeleteRow(3), EListError);
    EXPECT_THROW(f.data.InsertRow(4), EListError);
    EXPECT_THROW(f.data.MoveRow(0, 3), EListError);
    EXPECT_THROW(f.data.ExchangeRows(-1, 0), EListError);
    EXPECT_THROW(f.data.ColumnsNotify(cnDeleted, 1), EListError);
    EXPECT_THROW(f.data.ColumnsNotify(cnMoved, 0, 1), EListError);
    EXPECT_THROW(f.data.ColumnsNotify(cnInserted, 2), EListError);
    EXPECT_EQ(f.data.GetRowCount(), 3);
    try {
        f.data.DeleteRow(7);
    } catch (const EListError& e) {
        EXPECT_NE(std::string(e.what()).find("(7)"), std::string::npos) << e.what();
    }
}

TEST(GridData, RowSelectionAnswersWhetherItChanged) {
    GridDataFixture f;
    f.AddColumn(7);
    EXPECT_FALSE(f.data.SetRowSelected(0, true)) << "no rows";
    f.data.AddRows(2);
    EXPECT_FALSE(f.data.SetRowSelected(-1, true));
    EXPECT_FALSE(f.data.SetRowSelected(2, true));
    EXPECT_TRUE(f.data.SetRowSelected(1, true));
    EXPECT_FALSE(f.data.SetRowSelected(1, true));
    EXPECT_TRUE(f.data.IsRowSelected(1));
    EXPECT_FALSE(f.data.IsRowSelected(0));
}

TEST(GridData, RowHeightComesFromTheRecordAndTheMeasuringEvent) {
    GridDataFixture f;
    f.AddColumn(7);
    f.data.RowSize = 21;
    f.data.AddRows(2);
    f.data.RowSize = 30;
    f.data.InsertRow(1);
    EXPECT_EQ(f.data.GetRowHeight(0), 21);
    EXPECT_EQ(f.data.GetRowHeight(1), 30);
    f.data.OnMeasuringRowHeight = [](int row, int& height) {
        if (row == 2) height *= 2;
    };
    EXPECT_EQ(f.data.GetRowHeight(2), 42);
    EXPECT_EQ(f.data.Rows().Items(2).Height, 21) << "the measured height is not stored";
}

// A row record keeps 31 bits of height: a larger row size is kept as the largest height, never
// wrapped to a negative one, and the selection beside it stays apart.
TEST(GridData, RowRecordsKeepHugeHeightsAsTheLargestAndTheSelectionApart) {
    GridDataFixture f;
    f.AddColumn(7);
    for (const int size : {std::numeric_limits<int>::max(), TRow::MaxHeight + 1, TRow::MaxHeight}) {
        f.data.RowSize = size;
        f.data.InsertRow(0);
        f.data.SetRowSelected(0, true);
        EXPECT_EQ(f.data.GetRowHeight(0), TRow::MaxHeight) << size;
        EXPECT_TRUE(f.data.IsRowSelected(0)) << size;
    }
}

TEST(GridData, ExchangeRowsLeavesTheRowRecords) {
    GridDataFixture f;
    f.AddColumn(7);
    f.AddColumn(7);
    f.AddTextRows(0, Q({"a", "b"}));
    f.data.SetCellText(1, 0, "x");
    f.data.Rows().Items(0).Height = 40;
    f.data.SetRowSelected(0, true);
    f.data.ExchangeRows(0, 1);
    EXPECT_EQ(f.ColumnTexts(0), Q({"b", "a"}));
    EXPECT_EQ(f.ColumnTexts(1), Q({"", "x"}));
    EXPECT_EQ(f.data.GetRowHeight(0), 40);
    EXPECT_TRUE(f.data.IsRowSelected(0));
    EXPECT_FALSE(f.data.IsRowSelected(1));
}

TEST(GridData, MoveDeleteAndInsertCarryTheRecords) {
    GridDataFixture f;
    f.AddColumn(7);
    f.AddTextRows(0, Q({"a", "b", "c", "d"}));
    f.data.SetRowSelected(0, true);
    f.data.MoveRow(0, 2);
    EXPECT_EQ(f.ColumnTexts(0), Q({"b", "c", "a", "d"}));
    EXPECT_TRUE(f.data.IsRowSelected(2));
    f.data.MoveRow(3, 0);
    EXPECT_EQ(f.ColumnTexts(0), Q({"d", "b", "c", "a"}));
    EXPECT_TRUE(f.data.IsRowSelected(3));
    f.data.DeleteRow(1);
    EXPECT_EQ(f.ColumnTexts(0), Q({"d", "c", "a"}));
    EXPECT_TRUE(f.data.IsRowSelected(2));
    f.data.InsertRow(3);
    f.data.InsertRow(0);
    EXPECT_EQ(f.ColumnTexts(0), Q({"", "d", "c", "a", ""}));
    EXPECT_TRUE(f.data.IsRowSelected(3));
    EXPECT_EQ(f.data.Rows().Count(), 5);
}

TEST(GridData, DefaultValuesFillNewRowsOnlyWhenAsked) {
    GridDataFixture f;
    f.AddColumn(7, clWindow, "0");
    f.AddColumn(7);
    f.AddColumn(5, clWindow, "2.5");
    f.data.AddRows(1);
    EXPECT_EQ(f.Text(0, 0), "");
    f.data.UseDefaultValues = true;
    f.changes.clear();
    f.data.AddRows(2);
    EXPECT_EQ(f.ColumnTexts(0), Q({"", "0", "0"}));
    EXPECT_EQ(f.ColumnTexts(1), Q({"", "", ""}));
    EXPECT_EQ(f.ColumnTexts(2), Q({"0", "2.5", "2.5"}));
    EXPECT_EQ(f.changes.size(), 4u);
}

TEST(GridData, ClearKeepsColumnsAndClearColumnsLeavesNoRows) {
    GridDataFixture f;
    f.AddColumn(7);
    f.AddColumn(6);
    f.AddTextRows(0, Q({"a", "b", "c"}));
    f.data.SetRowSelected(0, true);
    f.data.Clear();
    EXPECT_EQ(f.data.GetRowCount(), 0);
    EXPECT_EQ(f.data.Cells().ColumnCount(), 2);
    EXPECT_EQ(f.data.Rows().Count(), 0);

    f.data.AddRows(3);
    f.data.SetRowSelected(0, true);
    f.columns.columns.clear();
    f.data.ColumnsNotify(cnCleared);
    EXPECT_EQ(f.data.GetRowCount(), 0);
    EXPECT_EQ(f.data.Cells().ColumnCount(), 0);
    // The records of the vanished rows go too, so new rows start unselected.
    f.AddColumn(7);
    f.data.AddRows(1);
    EXPECT_FALSE(f.data.IsRowSelected(0));
    EXPECT_EQ(f.data.Rows().Count(), 1);
}

TEST(GridData, AddCellRowsAddsNoRecords) {
    GridDataFixture f;
    f.AddColumn(7);
    f.data.AddRows(1);
    f.data.AddCellRows(2);
    EXPECT_EQ(f.data.GetRowCount(), 3);
    EXPECT_EQ(f.data.Rows().Count(), 1);
    EXPECT_THROW(f.data.IsRowSelected(2), EListError);
    f.data.DeleteRow(2);
    EXPECT_EQ(f.data.GetRowCount(), 2);
}

TEST(Cells, AtMost1024Columns) {
    GridDataFixture f;
    f.data.AddRows(2);
    for (int c = 0; c < TCells::MaxColumns; ++c) f.AddColumn(c % 2 ? 7 : 6);
    EXPECT_EQ(f.data.Cells().ColumnCount(), 1024);
    f.columns.columns.push_back({});
    EXPECT_THROW(f.data.ColumnsNotify(cnAdded), EGridError);
    EXPECT_THROW(f.data.ColumnsNotify(cnInserted, 0), EGridError);
    EXPECT_EQ(f.data.Cells().ColumnCount(), 1024);
    f.data.SetCellText(1023, 1, "last");
    EXPECT_EQ(f.Text(1023, 1), "last");
}

TEST(Cells, ColumnNotificationsReshapeTheTable) {
    GridDataFixture f;
    f.AddColumn(7);
    f.AddColumn(6);
    f.AddColumn(3);
    f.data.AddRows(2);
    TCell* a = f.data.GetCell(0, 1);
    TCell* b = f.data.GetCell(1, 1);
    TCell* c = f.data.GetCell(2, 1);
    f.data.ColumnsNotify(cnMoved, 0, 2);
    EXPECT_EQ(f.data.GetCell(0, 1), b);
    EXPECT_EQ(f.data.GetCell(1, 1), c);
    EXPECT_EQ(f.data.GetCell(2, 1), a);
    EXPECT_EQ(a->Col(), 2) << "a fetch writes the position";
    f.data.ColumnsNotify(cnMoved, 2, 0);
    EXPECT_EQ(f.data.GetCell(0, 1), a);
    f.data.ColumnsNotify(cnDeleted, 1);
    EXPECT_EQ(f.data.Cells().ColumnCount(), 2);
    EXPECT_EQ(f.data.GetCell(1, 1), c);
    f.data.ColumnsNotify(cnDeleted, 0);
    f.data.ColumnsNotify(cnDeleted, 0);
    EXPECT_EQ(f.data.GetRowCount(), 0) << "no column left, no row left";
    f.data.ColumnsNotify(99);
    EXPECT_EQ(f.data.Cells().ColumnCount(), 0);
}

TEST(Cells, SortValidFollowsTheOperations) {
    GridDataFixture f;
    f.AddColumn(7);
    f.AddTextRows(0, Q({"b", "a", "c", "d"}));
    TCells& cells = f.data.Cells();
    auto sorted = [&] {
        f.data.SortRows(0, stAlphabetic, false);
        return cells.SortValid();
    };
    EXPECT_FALSE(cells.SortValid());
    ASSERT_TRUE(sorted());
    f.data.DeleteRow(3);
    f.AddColumn(7);
    f.data.ColumnsNotify(cnDeleted, 1);
    EXPECT_TRUE(cells.SortValid());
    f.data.ExchangeRows(0, 1);
    EXPECT_FALSE(cells.SortValid()) << "only the sort's own exchanges keep the order";
    ASSERT_TRUE(sorted());
    f.data.AddRows(1);
    EXPECT_FALSE(cells.SortValid());
    ASSERT_TRUE(sorted());
    f.data.InsertRow(0);
    EXPECT_FALSE(cells.SortValid());
    ASSERT_TRUE(sorted());
    f.data.MoveRow(0, 1);
    EXPECT_FALSE(cells.SortValid());
    ASSERT_TRUE(sorted());
    f.columns.columns.insert(f.columns.columns.begin(), FakeColumn{});
    f.data.ColumnsNotify(cnInserted, 0);
    EXPECT_FALSE(cells.SortValid());
    ASSERT_TRUE(sorted());
    f.data.Clear();
    EXPECT_FALSE(cells.SortValid());
}

} // namespace
