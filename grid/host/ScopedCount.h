#pragma once
// Counts one more for as long as it lives: a handler running, a layout in progress. The count
// goes back down however the scope ends, an exception included.

namespace tolvane {

class TScopedCount {
public:
    explicit TScopedCount(int& count) : count_(count) { ++count_; }
    ~TScopedCount() { --count_; }
    TScopedCount(const TScopedCount&) = delete;
    TScopedCount& operator=(const TScopedCount&) = delete;

private:
    int& count_;
};

} // namespace tolvane
