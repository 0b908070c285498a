#include "grid/model/cells/LooseCells.h"

#include <mutex>
#include <unordered_map>

namespace tolvane {

namespace {

std::mutex& LooseMutex() {
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<const TCell*, TCellMarks>& LooseSet() {
    static std::unordered_map<const TCell*, TCellMarks> cells;
    return cells;
}

} // namespace

constinit thread_local const void* TLooseCells::placing_ = nullptr;
std::atomic<int> TLooseCells::count_{0};

void TLooseCells::Add(const TCell* cell) {
    std::lock_guard lock(LooseMutex());
    if (LooseSet().emplace(cell, TCellMarks{}).second) count_.fetch_add(1, std::memory_order_release);
}

void TLooseCells::Remove(const TCell* cell) {
    if (count_.load(std::memory_order_acquire) == 0) return;
    std::lock_guard lock(LooseMutex());
    if (LooseSet().erase(cell)) count_.fetch_sub(1, std::memory_order_release);
}

bool TLooseCells::Find(const TCell* cell) {
    std::lock_guard lock(LooseMutex());
    return LooseSet().count(cell) != 0;
}

TCellMarks& TLooseCells::MarksOf(const TCell* cell) {
    std::lock_guard lock(LooseMutex());
    return LooseSet().at(cell);
}

} // namespace tolvane
