#pragma once
// Which slot holds each row's cells. Every column keeps its cells by slot, so that the row order
// is one list of slots for the whole store instead of one list of cells per column: a sort or a
// row move reorders four bytes a row.
//
// While rows have only been appended (and the last ones deleted) row r sits in the r-th slot
// and no list is kept at all; the first change of order writes the list out. Slot numbers that
// are multiples of HeaderEvery are never handed out: a column's block begins at one of them and
// keeps its header there.
//
// Each slot also remembers the row its cells were last handed out at, which is what a cell
// reports as its row.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tolvane {

class TRowSlots {
public:
    static constexpr std::uint32_t HeaderEvery = 512;

    int Count() const { return count_; }
    // No slot at or above this one holds a row.
    std::uint32_t End() const { return end_; }

    // The slot of a row in range.
    std::uint32_t SlotOf(int row) const { return slots_.empty() ? OrderSlot(row) : slots_[std::size_t(row)]; }
    // The same, remembering the row as the one the slot's cells were last handed out at.
    std::uint32_t Fetch(int row) {
        if (slots_.empty()) return OrderSlot(row);
        const std::uint32_t slot = slots_[std::size_t(row)];
        lastRows_[slot] = row;
        return slot;
    }
    // The row the slot's cells were last handed out at.
    int LastRow(std::uint32_t slot) const { return slots_.empty() ? OrderRow(slot) : lastRows_[slot]; }

    // Calls `visit` with each slot that the next `count` rows would take, in row order,
    // without taking them.
    template <typename Visit>
    void ForNewSlots(int count, Visit visit) const {
        ForNewSlotRuns(count, [&](std::uint32_t first, int length) {
            for (int k = 0; k < length; ++k) visit(first + std::uint32_t(k));
        });
    }
    // The same slots as runs (first slot, length) of consecutive slots, none of which holds
    // a block's header: every run lies within one block of any column.
    template <typename Visit>
    void ForNewSlotRuns(int count, Visit visit) const {
        std::size_t reused = std::min(free_.size(), std::size_t(count));
        for (std::size_t k = 0; k < reused; ++k) visit(free_[free_.size() - 1 - k], 1);
        std::uint32_t slot = end_;
        for (int left = count - int(reused); left > 0;) {
            const int run = std::min<int>(left, int(HeaderEvery - slot % HeaderEvery));
            visit(slot, run);
            left -= run;
            slot = Next(slot + std::uint32_t(run) - 1);
        }
    }
    // Appends `count` rows in the slots ForNewSlots showed.
    void Append(int count);
    // Inserts a row before `row` (at the end when row == Count()) in the slot ForNewSlots(1)
    // showed.
    void Insert(int row);
    // Removes the row; its slot, whose cells the caller has ended, becomes free.
    void Remove(int row);
    void Move(int from, int to);
    void Exchange(int a, int b);
    void Reverse();
    // Row r takes the slot of old row order[r]; `order` is a permutation of the rows.
    void Reorder(const std::vector<int>& order);
    void Clear();

    // Row r in slot order sits in this slot, and back.
    static std::uint32_t OrderSlot(int row) {
        return std::uint32_t(row) + std::uint32_t(row) / (HeaderEvery - 1) + 1;
    }
    static int OrderRow(std::uint32_t slot) { return int(slot - slot / HeaderEvery - 1); }

private:
    static std::uint32_t Next(std::uint32_t slot) {
        ++slot;
        return slot % HeaderEvery ? slot : slot + 1;
    }
    // Writes the list out before the first change of order.
    void LeaveSlotOrder();
    std::uint32_t TakeSlot();

    int count_ = 0;
    std::uint32_t end_ = 1;
    std::vector<std::uint32_t> slots_;    // by row; empty in slot order
    std::vector<std::int32_t> lastRows_;  // by slot; empty in slot order
    std::vector<std::uint32_t> free_;     // empty in slot order
};

} // namespace tolvane
