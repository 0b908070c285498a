// Cells stay in their slots while rows are reordered: every operation on rows must keep each
// cell with its row, hand out the same cell object, and report and notify the right place.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <typeinfo>

#include "FakeColumns.h"
#include "grid/base/Errors.h"
#include "grid/model/cells/StringCell.h"
#include "grid/model/cells/VirtualCell.h"

using namespace tolvane;
using namespace tolvane::testing;

namespace {

// A table of ids beside the grid: column 0 holds the id, column 1 its text.
struct IdTable {
    GridDataFixture f;
    std::vector<int> ids;           // the expected id of each row
    std::map<int, TCell*> cellOfId; // the cell handed out for the id when its row was made
    int nextId = 0;

    IdTable() {
        f.AddColumn(6);
        f.AddColumn(7);
    }
    void Write(int row) {
        const int id = nextId++;
        f.data.GetCell(0, row)->SetAsInteger(id);
        f.data.SetCellText(1, row, QString::number(id));
        cellOfId[id] = f.data.GetCell(0, row);
        ids[std::size_t(row)] = id;
    }
    void Append(int count) {
        const int first = f.data.GetRowCount();
        f.data.AddRows(count);
        ids.resize(ids.size() + std::size_t(count));
        for (int r = first; r < first + count; ++r) Write(r);
    }
    void Insert(int row) {
        f.data.InsertRow(row);
        ids.insert(ids.begin() + row, -1);
        Write(row);
    }
    void Delete(int row) {
        cellOfId.erase(ids[std::size_t(row)]);
        f.data.DeleteRow(row);
        ids.erase(ids.begin() + row);
    }
    ::testing::AssertionResult Check() {
        if (f.data.GetRowCount() != int(ids.size())) return ::testing::AssertionFailure() << "row count";
        for (int r = 0; r < int(ids.size()); ++r) {
            TCell* cell = f.data.GetCell(0, r);
            const int id = ids[std::size_t(r)];
            if (cell != cellOfId[id] || cell->AsInteger() != id || f.Text(1, r) != QString::number(id))
                return ::testing::AssertionFailure() << "row " << r << " lost id " << id;
            // A slot whose cell was never made or has ended reads as initializing.
            if (cell->Row() != r || cell->Col() != 0 || cell->Initializing())
                return ::testing::AssertionFailure() << "place of row " << r;
        }
        return ::testing::AssertionSuccess();
    }
};

} // namespace

TEST(CellSlots, RowOperationsKeepEveryCellWithItsRow) {
    // Enough rows to cross the slots that hold block headers (every 512th) several times.
    IdTable t;
    t.Append(1500);
    ASSERT_TRUE(t.Check());
    // Rows still in slot order: deleting the last ones and appending again keeps it.
    t.Delete(1499);
    t.Delete(1498);
    t.Append(3);
    ASSERT_TRUE(t.Check());
    std::mt19937 random(7);
    auto pick = [&](int below) { return int(random() % unsigned(below)); };
    for (int step = 0; step < 300; ++step) {
        const int rows = t.f.data.GetRowCount();
        const int op = pick(9);
        if (rows == 0 || op == 0) {
            t.Append(1 + pick(700));
        } else if (op == 1) {
            t.Insert(pick(rows + 1));
        } else if (op == 2 || op == 3) {
            t.Delete(pick(rows));
        } else if (op == 4) {
            const int from = pick(rows), to = pick(rows);
            t.f.data.MoveRow(from, to);
            const int id = t.ids[std::size_t(from)];
            t.ids.erase(t.ids.begin() + from);
            t.ids.insert(t.ids.begin() + to, id);
        } else if (op == 5) {
            const int a = pick(rows), b = pick(rows);
            t.f.data.ExchangeRows(a, b);
            std::swap(t.ids[std::size_t(a)], t.ids[std::size_t(b)]);
        } else if (op == 6 || op == 7) {
            // Sorting again the other way reverses the rows instead of sorting them.
            const bool descending = pick(2) == 1;
            t.f.data.SortRows(0, stNumeric, descending);
            std::sort(t.ids.begin(), t.ids.end());
            if (descending) std::reverse(t.ids.begin(), t.ids.end());
        } else {
            // A cell keeps the row it was last handed out at until it is fetched again, and a
            // write notifies that row.
            const int row = pick(rows);
            TCell* cell = t.f.data.GetCell(0, row);
            t.f.data.ExchangeRows(row, rows - 1);
            std::swap(t.ids[std::size_t(row)], t.ids[std::size_t(rows - 1)]);
            EXPECT_EQ(cell->Row(), row);
            cell->SetAsInteger(cell->AsInteger());
            ASSERT_EQ(t.f.changes.back(), std::make_pair(0, row));
        }
        ASSERT_TRUE(t.Check()) << "step " << step << ", operation " << op;
        if (step % 100 == 99) {
            t.f.data.Clear();
            t.ids.clear();
            t.cellOfId.clear();
            EXPECT_EQ(t.f.data.Cells().LiveCellCount(), 0u);
        }
    }
}

TEST(CellSlots, ACellTooLargeForItsColumnsSlotsBehavesAsAnyOther) {
    // Columns laid out for numbers (the smallest slots) whose kind later turns to text and to
    // virtual cells: the new cells live outside the slots.
    for (int laterKind : {7, 9}) {
        GridDataFixture f;
        f.AddColumn(5, clRed);
        f.AddColumn(7);
        f.data.AddRows(3);
        f.columns.columns[0].kind = laterKind;
        f.columns.columns[0].color = TColor(0x123456);
        f.data.AddRows(2);
        f.data.InsertRow(1); // a text cell even for the virtual kind
        const std::type_info& appended = laterKind == 7 ? typeid(TStringCell) : typeid(TVirtualCell);
        EXPECT_EQ(f.data.GetCell(0, 5)->CellClass(), appended);
        EXPECT_EQ(f.data.GetCell(0, 1)->CellClass(), typeid(TStringCell));

        TCell* big = f.data.GetCell(0, 1);
        EXPECT_EQ(big->Owner(), &f.data.Cells());
        EXPECT_EQ(big->Color(), TColor(0x123456));
        EXPECT_FALSE(big->Initializing());
        big->SetText("inserted");
        EXPECT_EQ(f.changes.back(), std::make_pair(0, 1));
        big->SetHint("a hint");
        big->SetColor(clBlue);
        big->SetFontStyle(TFontStyles{fsBold});
        f.data.MoveRow(1, 4);
        EXPECT_EQ(f.data.GetCell(0, 4), big);
        EXPECT_EQ(big->Row(), 4);
        EXPECT_EQ(big->Text(), "inserted");
        EXPECT_EQ(big->Hint(), "a hint");
        EXPECT_EQ(big->Color(), clBlue);
        EXPECT_EQ(big->FontStyle(), TFontStyles{fsBold});
        EXPECT_EQ(f.data.GetCell(0, 0)->Color(), clRed); // the cells in the slots keep theirs

        f.data.DeleteRow(4);
        EXPECT_EQ(f.data.Cells().Attributes().EntryCount(), 0u);
        EXPECT_EQ(f.data.Cells().LiveCellCount(), 10u);
        f.data.ColumnsNotify(cnDeleted, 0);
        EXPECT_EQ(f.data.Cells().LiveCellCount(), 5u);
        f.data.Clear();
        EXPECT_EQ(f.data.Cells().Pool().LiveCount(), 0u);
    }
}

TEST(CellSlots, AColumnsCellsFollowItWhenColumnsAreInsertedMovedAndDeleted) {
    GridDataFixture f;
    for (int kind : {6, 7, 5}) f.AddColumn(kind);
    f.data.AddRows(2);
    TCell* held = f.data.GetCell(2, 1);
    held->SetAsFloat(2.5);
    // A write through a cell held across the change notifies the column it is in now.
    auto expectAt = [&](int col) {
        EXPECT_EQ(f.data.GetCell(col, 1), held);
        held->SetAsFloat(2.5);
        EXPECT_EQ(f.changes.back(), std::make_pair(col, 1));
        EXPECT_EQ(held->Col(), col);
    };
    f.columns.columns.insert(f.columns.columns.begin(), FakeColumn{7, clWindow, {}});
    f.data.ColumnsNotify(cnInserted, 0);
    expectAt(3);
    f.data.ColumnsNotify(cnMoved, 3, 1);
    expectAt(1);
    f.data.ColumnsNotify(cnDeleted, 0);
    expectAt(0);
    EXPECT_EQ(held->AsFloat(), 2.5);
}
