#pragma once
// Memory for the cells of one store. A grid holds a cell per row and column, millions of small
// objects: each taken from the general heap would cost a call and a header. The store takes
// whole slabs from the pool and lays out one column's cells in each (TColumnCells); the few
// cells too large for their column's slots are cut from other slabs as blocks, and freed blocks
// wait on lists by size for the next ones. Once nothing is left the slabs go back to the heap,
// so nothing is kept across a clear.
// Slabs are aligned to their size and begin with a TSlabHeader naming the pool's owner, so that
// a cell finds its store from its own address. They are taken from the heap in runs that double
// up to 2 MiB: a
// small grid holds one slab, a large one makes few requests, and the heap's slack for the
// alignment (up to a slab per request) stays small.

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace tolvane {

struct TCellBlockSide;

class TCellPool {
public:
    // Blocks are handed out in these units; larger requests are not pooled.
    static constexpr std::size_t Unit = 8;
    static constexpr std::size_t MaxBlock = 256;
    static constexpr std::size_t SlabSize = 64 * 1024;
    static constexpr std::size_t MaxRunSlabs = 32;

    explicit TCellPool(void* owner = nullptr) : owner_(owner) {}
    ~TCellPool();
    TCellPool(const TCellPool&) = delete;
    TCellPool& operator=(const TCellPool&) = delete;

    static constexpr bool Pooled(std::size_t size) { return size > 0 && size <= MaxBlock; }

    // A block of at least `size` bytes (Pooled(size) must hold), aligned to Unit.
    void* Allocate(std::size_t size) {
        const std::size_t units = Units(size);
        if (FreeBlock* block = free_[units]) {
            free_[units] = block->Next;
            ++live_;
            return block;
        }
        const std::size_t bytes = units * Unit;
        if (std::size_t(end_ - next_) < bytes) NewSlab();
        void* block = next_;
        next_ += bytes;
        ++live_;
        return block;
    }

    // Gives back a block taken with the same size. The last one releases every slab.
    void Free(void* block, std::size_t size) {
        const std::size_t units = Units(size);
        free_[units] = new (block) FreeBlock{free_[units]};
        if (--live_ == 0) Release();
    }

    // A whole slab, aligned to SlabSize, for the caller to lay out; the caller begins it with a
    // TSlabHeader of the owner and a side that is not null. Counts as a live block until given
    // back.
    char* AllocateSlab() {
        char* slab;
        if (!freeSlabs_.empty()) {
            slab = freeSlabs_.back();
            freeSlabs_.pop_back();
        } else {
            slab = TakeSlab();
        }
        ++live_;
        return slab;
    }
    void FreeSlab(char* slab) {
        freeSlabs_.push_back(slab);
        if (--live_ == 0) Release();
    }

    // Forgets every block at once and gives the slabs back, instead of a Free for each; the
    // caller has ended the life of every object in them.
    void DropAll() {
        live_ = 0;
        Release();
    }

    // Blocks handed out and not given back.
    std::size_t LiveCount() const { return live_; }
    // Slabs begun, and the bytes taken from the heap for them and the rest of their run.
    std::size_t SlabCount() const { return slabCount_; }
    std::size_t ReservedBytes() const { return reservedSlabs_ * SlabSize; }

private:
    struct FreeBlock {
        FreeBlock* Next;
    };
    static constexpr std::size_t Units(std::size_t size) { return (size + Unit - 1) / Unit; }
    void NewSlab();
    // The next slab of the last run, or of a new run.
    char* TakeSlab();
    void Release();

    struct TRun {
        char* Start;
        std::size_t Slabs;
    };

    void* owner_;
    std::vector<TRun> runs_;
    std::size_t slabCount_ = 0;
    std::size_t reservedSlabs_ = 0;
    char* runNext_ = nullptr; // the next slab of the last run, not begun yet
    char* runEnd_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
    std::array<FreeBlock*, MaxBlock / Unit + 1> free_{};
    std::vector<char*> freeSlabs_;
    std::size_t live_ = 0;
};

// What every slab begins with, whoever lays it out: the pool's owner, and the side table of the
// column block that the slab holds (TColumnCells), or null in a slab the pool cuts into blocks.
struct TSlabHeader {
    void* Owner;
    TCellBlockSide* Side;

    // The header of the slab that a block or slot handed out by a pool lies in.
    static const TSlabHeader* Of(const void* address) {
        const auto slab = reinterpret_cast<std::uintptr_t>(address) & ~std::uintptr_t(TCellPool::SlabSize - 1);
        return std::launder(reinterpret_cast<const TSlabHeader*>(slab));
    }
};
// Blocks follow the header at a multiple of the pool's unit.
static_assert(sizeof(TSlabHeader) % TCellPool::Unit == 0 && alignof(TSlabHeader) <= TCellPool::Unit);

} // namespace tolvane
