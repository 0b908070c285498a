// Making cells when memory runs out: whichever allocation fails, the store keeps the rows and
// cells it had, and nothing it took stays counted as in use. This program's operator new is
// replaced so that one chosen allocation fails: a plain one (tables, a detached cell's record) or
// an aligned one (the slabs the cells live in).
#include <cstdlib>
#include <new>
#include <tuple>

#include <gtest/gtest.h>

#include "FakeColumns.h"

using namespace tolvane;
using namespace tolvane::testing;

namespace {

// Allocations of each sort left before the one that fails; below 0, none fails.
thread_local long plainBeforeFailure = -1;
thread_local long alignedBeforeFailure = -1;

bool FailsNow(long& before) {
    return before >= 0 && before-- == 0;
}

void* Allocate(std::size_t size) {
    return FailsNow(plainBeforeFailure) ? nullptr : std::malloc(size ? size : 1);
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
    if (FailsNow(alignedBeforeFailure)) return nullptr;
    const auto a = std::size_t(align);
    return std::aligned_alloc(a, (size + a - 1) / a * a);
}

} // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, std::align_val_t align) {
    if (void* p = AllocateAligned(size, align)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}

namespace {

// A numeric column whose kind later becomes `kind` (text and virtual cells no longer fit its
// slots and live in blocks of the pool) and a text column, with three rows holding values.
struct Grid {
    explicit Grid(int kind) {
        f.AddColumn(ckFloat);
        f.AddColumn(ckText);
        f.data.AddRows(3);
        f.columns.columns[0].kind = kind;
        for (int r = 0; r < 3; ++r) f.data.SetCellText(1, r, QString::number(r));
    }
    TCells& Cells() { return f.data.Cells(); }
    GridDataFixture f;
};

} // namespace

// (kind of the first column's new cells, aligned allocations fail rather than plain ones)
class CellPlacementFailure : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(CellPlacementFailure, LeavesTheStoreAsItWasAndCountsNothingTaken) {
    const auto [kind, aligned] = GetParam();
    // Enough rows to need new slabs, or to make many detached cells.
    const int rows = aligned ? 5000 : 600;
    Grid reference(kind);
    reference.Cells().AddRows(rows);
    const std::size_t blocksInUse = reference.Cells().Pool().LiveCount();

    long& before = aligned ? alignedBeforeFailure : plainBeforeFailure;
    for (long failing = 0;; ++failing) {
        Grid g(kind);
        bool failed = false;
        before = failing;
        try {
            g.Cells().AddRows(rows);
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        before = -1;
        if (!failed) break;
        ASSERT_EQ(g.Cells().RowCount(), 3) << failing;
        ASSERT_EQ(g.Cells().LiveCellCount(), 6u) << failing;
        ASSERT_EQ(g.f.Text(1, 2), "2") << failing;
        // The same rows made again take exactly the blocks they take in a store that never failed.
        g.Cells().AddRows(rows);
        ASSERT_EQ(g.Cells().Pool().LiveCount(), blocksInUse) << failing;
        g.Cells().GetCell(1, rows)->SetText("7");
        ASSERT_EQ(g.f.Text(1, rows), "7") << failing;
        ASSERT_EQ(g.Cells().GetCell(0, rows)->Owner(), &g.Cells()) << failing;
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, CellPlacementFailure,
                         ::testing::Combine(::testing::Values(ckFloat, ckText, ckVirtual), ::testing::Bool()));
