#include "grid/model/cells/CellPool.h"

#include <cassert>
#include <new>

namespace tolvane {

TCellPool::~TCellPool() {
    // The store destroys its cells first; a leftover block would point into a freed slab.
    assert(live_ == 0);
    live_ = 0;
    Release();
}

void TCellPool::NewSlab() {
    slabs_.reserve(slabs_.size() + 1);
    char* slab = static_cast<char*>(::operator new(SlabSize, std::align_val_t(SlabSize)));
    slabs_.push_back(slab);
    new (slab) TSlabHeader{owner_};
    next_ = slab + Unit;
    end_ = slab + SlabSize;
}

void TCellPool::Release() {
    for (char* slab : slabs_) ::operator delete(slab, std::align_val_t(SlabSize));
    std::vector<char*>().swap(slabs_);
    next_ = end_ = nullptr;
    free_.fill(nullptr);
}

} // namespace tolvane
