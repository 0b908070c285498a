#include "grid/model/cells/RowSlots.h"

#include <algorithm>

namespace tolvane {

void TRowSlots::LeaveSlotOrder() {
    if (!slots_.empty() || count_ == 0) return;
    slots_.resize(std::size_t(count_));
    lastRows_.assign(end_, 0);
    for (int r = 0; r < count_; ++r) {
        const std::uint32_t slot = OrderSlot(r);
        slots_[std::size_t(r)] = slot;
        lastRows_[slot] = r;
    }
}

std::uint32_t TRowSlots::TakeSlot() {
    if (!free_.empty()) {
        const std::uint32_t slot = free_.back();
        free_.pop_back();
        return slot;
    }
    const std::uint32_t slot = end_;
    end_ = Next(end_);
    if (!slots_.empty()) lastRows_.resize(end_);
    return slot;
}

void TRowSlots::Append(int count) {
    if (slots_.empty()) {
        count_ += count;
        end_ = OrderSlot(count_);
        return;
    }
    slots_.reserve(slots_.size() + std::size_t(count));
    for (int k = 0; k < count; ++k) {
        const std::uint32_t slot = TakeSlot();
        slots_.push_back(slot);
        lastRows_[slot] = count_++;
    }
}

void TRowSlots::Insert(int row) {
    if (slots_.empty() && row == count_) {
        Append(1);
        return;
    }
    LeaveSlotOrder();
    const std::uint32_t slot = TakeSlot();
    slots_.insert(slots_.begin() + row, slot);
    lastRows_[slot] = row;
    ++count_;
}

void TRowSlots::Remove(int row) {
    if (count_ == 1) {
        Clear();
        return;
    }
    if (slots_.empty() && row == count_ - 1) {
        --count_;
        end_ = OrderSlot(count_);
        return;
    }
    LeaveSlotOrder();
    free_.push_back(slots_[std::size_t(row)]);
    slots_.erase(slots_.begin() + row);
    --count_;
}

void TRowSlots::Move(int from, int to) {
    if (from == to) return;
    LeaveSlotOrder();
    if (from < to)
        std::rotate(slots_.begin() + from, slots_.begin() + from + 1, slots_.begin() + to + 1);
    else
        std::rotate(slots_.begin() + to, slots_.begin() + from, slots_.begin() + from + 1);
}

void TRowSlots::Exchange(int a, int b) {
    if (a == b) return;
    LeaveSlotOrder();
    std::swap(slots_[std::size_t(a)], slots_[std::size_t(b)]);
}

void TRowSlots::Reverse() {
    if (count_ < 2) return;
    LeaveSlotOrder();
    std::reverse(slots_.begin(), slots_.end());
}

void TRowSlots::Reorder(const std::vector<int>& order) {
    if (count_ < 2) return;
    LeaveSlotOrder();
    std::vector<std::uint32_t> reordered(slots_.size());
    for (std::size_t r = 0; r < order.size(); ++r) reordered[r] = slots_[std::size_t(order[r])];
    slots_.swap(reordered);
}

void TRowSlots::Clear() {
    count_ = 0;
    end_ = 1;
    std::vector<std::uint32_t>().swap(slots_);
    std::vector<std::int32_t>().swap(lastRows_);
    std::vector<std::uint32_t>().swap(free_);
}

} // namespace tolvane
