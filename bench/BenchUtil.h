#pragma once
// Small timing and memory helpers shared by the benchmark programs.

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Milliseconds of one run of `work`, after `setup` (not timed) has prepared it.
inline double TimeOnce(const std::function<void()>& work, const std::function<void()>& setup = {}) {
    if (setup) setup();
    auto start = std::chrono::steady_clock::now();
    work();
    auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// The best of `runs` timings: the least disturbed by the rest of the machine.
inline double BestOf(int runs, const std::function<void()>& work, const std::function<void()>& setup = {}) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) best = std::min(best, TimeOnce(work, setup));
    return best;
}

// Bytes currently allocated from the heap (glibc's count), for bytes-per-cell figures.
inline long long HeapInUse() {
    malloc_trim(0);
    struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

inline void Row(const std::string& what, double ours, double theirs, const char* unit = "ms") {
    std::printf("  %-46s %12.3f %s %12.3f %s   ratio %7.2f\n", what.c_str(), ours, unit, theirs, unit,
                ours > 0 ? theirs / ours : 0.0);
}

inline void Heading(const std::string& title, const char* ours = "tolvane", const char* theirs = "baseline") {
    std::printf("\n%s\n  %-46s %15s %15s   (baseline / tolvane)\n", title.c_str(), "", ours, theirs);
}

} // namespace bench
