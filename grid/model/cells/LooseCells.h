#pragma once
// The cells made outside any store. A cell keeps no field that says where it lives, and a
// store's cell finds its place from its own address; a cell constructed anywhere but where a
// store is placing one is recorded here instead, so that it is never taken for a stored one.
// Such cells are rare (a grid makes none), so the check costs one load while there are none.
// A loose cell keeps its marks (its font style) here too.

#include <atomic>

#include "grid/model/cells/CellMarks.h"

namespace tolvane {

class TCell;

class TLooseCells {
public:
    // Marks the memory the calling thread's store is about to construct a cell in.
    static void Placing(const void* address) { placing_ = address; }
    static bool IsPlacing(const void* address) { return placing_ == address; }

    static void Add(const TCell* cell);
    static void Remove(const TCell* cell);
    static bool Contains(const TCell* cell) {
        return count_.load(std::memory_order_acquire) != 0 && Find(cell);
    }
    // The marks of a loose cell; the cell must be one.
    static TCellMarks& MarksOf(const TCell* cell);

private:
    static bool Find(const TCell* cell);

    static constinit thread_local const void* placing_;
    static std::atomic<int> count_;
};

} // namespace tolvane
