// The cells' memory: blocks reused by size, slabs handed back once the store holds no cell,
// and no growth across repeated fills.
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>

#include <gtest/gtest.h>

#include "FakeColumns.h"
#include "grid/base/Errors.h"
#include "grid/model/cells/CellPool.h"
#include "grid/model/cells/StringCell.h"
#include "grid/model/cells/VirtualCell.h"

using namespace tolvane;
using namespace tolvane::testing;

namespace {

// Enough rows that the cells need several slabs.
constexpr int ManyRows = 5000;

GridDataFixture& TwoColumns(GridDataFixture& f) {
    f.AddColumn(6); // integer
    f.AddColumn(7); // text
    return f;
}

} // namespace

TEST(CellPool, FreedBlocksAreReusedBySizeOnly) {
    TCellPool pool;
    void* a = pool.Allocate(48);
    void* b = pool.Allocate(72);
    void* keep = pool.Allocate(48);
    EXPECT_EQ(pool.LiveCount(), 3u);
    EXPECT_EQ(pool.SlabCount(), 1u);
    pool.Free(a, 48);
    pool.Free(b, 72);
    // A size rounds to the same unit count as before: same list.
    void* b2 = pool.Allocate(70);
    void* a2 = pool.Allocate(44);
    void* fresh = pool.Allocate(48);
    EXPECT_EQ(b2, b);
    EXPECT_EQ(a2, a);
    EXPECT_NE(fresh, a);
    EXPECT_NE(fresh, keep);
    EXPECT_EQ(pool.LiveCount(), 4u);
    for (void* block : {a2, keep, fresh}) pool.Free(block, 48);
    pool.Free(b2, 72);
    EXPECT_EQ(pool.SlabCount(), 0u);
}

TEST(CellPool, BlocksDoNotOverlapAcrossSlabsAndFindTheirOwnerInEachSlabOfARun) {
    int owner = 0;
    TCellPool pool(&owner);
    std::set<char*> blocks;
    const std::size_t size = 56;
    const std::size_t count = 40 * TCellPool::SlabSize / size; // past the largest run
    for (std::size_t i = 0; i < count; ++i) {
        char* block = static_cast<char*>(pool.Allocate(size));
        blocks.insert(block);
        ASSERT_EQ(TSlabHeader::Of(block)->Owner, &owner) << i;
        ASSERT_EQ(TSlabHeader::Of(block)->Side, nullptr) << i;
    }
    ASSERT_EQ(blocks.size(), count);
    EXPECT_GE(pool.SlabCount(), 40u);
    for (auto it = blocks.begin(); std::next(it) != blocks.end(); ++it) {
        EXPECT_GE(*std::next(it) - *it, std::ptrdiff_t(size));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(*it) % TCellPool::Unit, 0u);
    }
    for (char* block : blocks) pool.Free(block, size);
    EXPECT_EQ(pool.SlabCount(), 0u);
}

TEST(CellPool, LastFreeReleasesEverySlab) {
    TCellPool pool;
    void* a = pool.Allocate(64);
    void* b = pool.Allocate(64);
    pool.Free(a, 64);
    EXPECT_EQ(pool.SlabCount(), 1u);
    pool.Free(b, 64);
    EXPECT_EQ(pool.LiveCount(), 0u);
    EXPECT_EQ(pool.SlabCount(), 0u);
    EXPECT_EQ(pool.ReservedBytes(), 0u);
    // Usable again afterwards, from a fresh slab.
    void* c = pool.Allocate(64);
    EXPECT_EQ(pool.SlabCount(), 1u);
    pool.Free(c, 64);
}

TEST(CellStoreMemory, EveryCellOfTheStoreLivesInThePool) {
    GridDataFixture f;
    TwoColumns(f);
    f.AddColumn(9); // virtual cells, the largest class
    f.data.AddRows(10);
    EXPECT_EQ(f.data.Cells().LiveCellCount(), 30u);
    f.data.InsertRow(3);
    f.data.DeleteRow(0);
    EXPECT_EQ(f.data.Cells().LiveCellCount(), 30u);
    f.data.ColumnsNotify(cnDeleted, 2);
    EXPECT_EQ(f.data.Cells().LiveCellCount(), 20u);
}

TEST(CellStoreMemory, RepeatedFillAndClearDoesNotGrow) {
    GridDataFixture f;
    TwoColumns(f);
    std::size_t firstFill = 0;
    for (int cycle = 0; cycle < 5; ++cycle) {
        for (int r = 0; r < ManyRows; ++r) {
            f.data.AddRows(1);
            f.data.SetCellText(1, r, QString("title %1").arg(r));
        }
        const std::size_t slabs = f.data.Cells().Pool().SlabCount();
        if (cycle == 0) firstFill = slabs;
        EXPECT_GT(slabs, 1u);
        EXPECT_EQ(slabs, firstFill) << "cycle " << cycle;
        f.data.Clear();
        EXPECT_EQ(f.data.Cells().Pool().SlabCount(), 0u) << "cycle " << cycle;
    }
}

TEST(CellStoreMemory, DeletedRowsMakeRoomForTheNextOnes) {
    GridDataFixture f;
    TwoColumns(f);
    f.data.AddRows(ManyRows);
    const std::size_t slabs = f.data.Cells().Pool().SlabCount();
    for (int cycle = 0; cycle < 3; ++cycle) {
        for (int k = 0; k < ManyRows / 2; ++k) f.data.DeleteRow(0);
        f.data.AddRows(ManyRows / 2);
        for (int k = 0; k < 10; ++k) f.data.InsertRow(k);
        for (int k = 0; k < 10; ++k) f.data.DeleteRow(k);
    }
    EXPECT_EQ(f.data.Cells().Pool().SlabCount(), slabs);
    EXPECT_EQ(f.data.GetRowCount(), ManyRows);
}

TEST(CellStoreMemory, EmptyingTheStoreByAnyRouteReleasesTheSlabs) {
    const std::vector<std::function<void(GridDataFixture&)>> routes = {
        [](GridDataFixture& f) { f.data.Clear(); },
        [](GridDataFixture& f) { f.data.ColumnsNotify(cnCleared); },
        [](GridDataFixture& f) {
            f.data.ColumnsNotify(cnDeleted, 1);
            f.data.ColumnsNotify(cnDeleted, 0);
        },
        [](GridDataFixture& f) {
            while (f.data.GetRowCount() > 0) f.data.DeleteRow(f.data.GetRowCount() - 1);
        },
    };
    for (std::size_t i = 0; i < routes.size(); ++i) {
        GridDataFixture f;
        TwoColumns(f);
        f.data.AddRows(ManyRows);
        routes[i](f);
        EXPECT_EQ(f.data.Cells().Pool().LiveCount(), 0u) << "route " << i;
        EXPECT_EQ(f.data.Cells().Pool().SlabCount(), 0u) << "route " << i;
    }
}

TEST(CellStoreMemory, SortedAndMovedCellsKeepTheirValues) {
    GridDataFixture f;
    TwoColumns(f);
    f.AddTextRows(1, {"c", "a", "d", "b"});
    for (int r = 0; r < 4; ++r) f.data.GetCell(0, r)->SetAsInteger(r);
    f.data.SortRows(1, stAlphabetic, false);
    f.data.MoveRow(0, 3);
    f.data.ExchangeRows(0, 1);
    EXPECT_EQ(f.ColumnTexts(1), (std::vector<QString>{"c", "b", "d", "a"}));
    EXPECT_EQ(f.ColumnTexts(0), (std::vector<QString>{"0", "3", "2", "1"}));
    EXPECT_EQ(f.data.Cells().LiveCellCount(), 8u);
}

TEST(CellStoreMemory, AFailingColumnLeavesTheColumnsOfEqualLength) {
    // A collection that answers for column 1 only until told to fail.
    class FailingColumns : public FakeColumns {
    public:
        int ColumnCellKind(int index) const override {
            if (index == 1 && fail) throw std::runtime_error("column gone");
            return FakeColumns::ColumnCellKind(index);
        }
        bool fail = false;
    };
    FailingColumns columns;
    columns.columns.resize(2);
    columns.columns[0].kind = 6;
    columns.columns[1].kind = 7;
    TCells cells(&columns);
    cells.ColumnsNotify(cnAdded);
    cells.ColumnsNotify(cnAdded);
    cells.AddRows(3);
    columns.fail = true;
    EXPECT_THROW(cells.AddRows(2), std::runtime_error);
    EXPECT_EQ(cells.RowCount(), 3);
    EXPECT_EQ(cells.LiveCellCount(), 6u);
    EXPECT_NO_THROW(cells.GetCell(1, 2));
    EXPECT_THROW(cells.GetCell(0, 3), EListError);
    columns.fail = false;
    cells.AddRows(2);
    EXPECT_EQ(cells.LiveCellCount(), 10u);
}

TEST(CellStoreMemory, EmptyingTheWholeStoreEndsEveryCell) {
    // Clearing drops the pool's slabs whole; the cells that hold something on the heap (a text,
    // a hint) must still let it go, whether the store is cleared or destroyed.
    const std::vector<std::function<void(std::unique_ptr<GridDataFixture>&)>> routes = {
        [](std::unique_ptr<GridDataFixture>& f) { f->data.Clear(); },
        [](std::unique_ptr<GridDataFixture>& f) { f.reset(); },
    };
    for (std::size_t i = 0; i < routes.size(); ++i) {
        auto f = std::make_unique<GridDataFixture>();
        TwoColumns(*f);
        f->AddColumn(9); // virtual cells store what they are given as text
        f->data.AddRows(ManyRows);
        const QString shared = QString("a text the cells share, row count %1").arg(ManyRows);
        for (int r = 0; r < ManyRows; r += 3) f->data.SetCellText(1, r, shared);
        f->data.InsertRow(5); // a text cell in the virtual column
        f->data.SetCellText(2, 5, shared);
        f->data.GetCell(0, 7)->SetHint("a hint on a cell without heap value");
        f->data.GetCell(2, 9)->SetHint("and one on a virtual cell");
        ASSERT_FALSE(shared.isDetached());
        routes[i](f);
        EXPECT_TRUE(shared.isDetached()) << "route " << i;
        if (f) {
            EXPECT_EQ(f->data.Cells().Pool().LiveCount(), 0u) << "route " << i;
            EXPECT_EQ(f->data.Cells().Pool().SlabCount(), 0u) << "route " << i;
            // Usable again afterwards.
            f->AddTextRows(1, {"x", "y"});
            EXPECT_EQ(f->ColumnTexts(1), (std::vector<QString>{"x", "y"}));
            EXPECT_EQ(f->data.Cells().LiveCellCount(), 6u);
        }
    }
}
