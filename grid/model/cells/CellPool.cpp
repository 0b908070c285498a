#include "grid/model/cells/CellPool.h"

#include <algorithm>
#include <cassert>
#include <new>

namespace tolvane {

TCellPool::~TCellPool() {
    // The store destroys its cells first; a leftover block would point into a freed slab.
    assert(live_ == 0);
    live_ = 0;
    Release();
}

char* TCellPool::TakeSlab() {
    if (runNext_ == runEnd_) {
        const std::size_t slabs = runs_.empty() ? 1 : std::min(MaxRunSlabs, 2 * runs_.back().Slabs);
        runs_.reserve(runs_.size() + 1);
        char* start = static_cast<char*>(::operator new(slabs * SlabSize, std::align_val_t(SlabSize)));
        runs_.push_back({start, slabs});
        reservedSlabs_ += slabs;
        runNext_ = start;
        runEnd_ = start + slabs * SlabSize;
    }
    char* slab = runNext_;
    runNext_ += SlabSize;
    ++slabCount_;
    return slab;
}

void TCellPool::NewSlab() {
    char* slab = TakeSlab();
    new (slab) TSlabHeader{owner_, nullptr};
    next_ = slab + sizeof(TSlabHeader);
    end_ = slab + SlabSize;
}

void TCellPool::Release() {
    for (const TRun& run : runs_) ::operator delete(run.Start, std::align_val_t(SlabSize));
    std::vector<TRun>().swap(runs_);
    slabCount_ = reservedSlabs_ = 0;
    runNext_ = runEnd_ = next_ = end_ = nullptr;
    free_.fill(nullptr);
    std::vector<char*>().swap(freeSlabs_);
}

} // namespace tolvane
