#pragma once
// Medians with their spread. The machine is shared, so a single best run hides how much a figure
// moves: every figure here is the median of several runs of processor time, printed with the
// lowest and highest, and a ratio is taken run by run between two workloads timed one right
// after the other.

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BenchUtil.h"

namespace bench {

struct TSpread {
    double Median = 0, Low = 0, High = 0;
};

inline TSpread SpreadOf(std::vector<double> values) {
    if (values.empty()) return {};
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

// One workload: `work` timed after an untimed `setup`.
struct TWorkload {
    std::function<void()> Work;
    std::function<void()> Setup = {};
};

struct TPaired {
    TSpread Ours, Theirs, Ratio; // ratio = theirs / ours, run by run
};

// Milliseconds of processor time the program (all its threads) spends in one run of `work`,
// after `setup`. Other programs on a shared machine take the processor away for a while;
// wall-clock time counts those pauses, processor time does not.
inline double CpuTimeOnce(const std::function<void()>& work, const std::function<void()>& setup = {}) {
    if (setup) setup();
    timespec start{}, end{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
}

// Runs ours and theirs alternately `runs` times.
inline TPaired Paired(int runs, const TWorkload& ours, const TWorkload& theirs) {
    std::vector<double> a, b, ratio;
    for (int i = 0; i < runs; ++i) {
        const double x = CpuTimeOnce(ours.Work, ours.Setup);
        const double y = CpuTimeOnce(theirs.Work, theirs.Setup);
        a.push_back(x);
        b.push_back(y);
        ratio.push_back(x > 0 ? y / x : 0);
    }
    return {SpreadOf(a), SpreadOf(b), SpreadOf(ratio)};
}

inline std::string Figure(const TSpread& s, const char* unit) {
    char text[96];
    std::snprintf(text, sizeof text, "%.3g %s [%.3g-%.3g]", s.Median, unit, s.Low, s.High);
    return text;
}

inline void PairedHeading(const std::string& title, const char* ours, const char* theirs) {
    std::printf("\n%s\n  %-34s %-28s %-28s %s\n", title.c_str(), "(median [low-high])", ours, theirs,
                "ratio baseline / tolvane");
}

// `goal` names what the ratio must reach, e.g. ">= 3".
inline void PairedRow(const std::string& what, const TPaired& p, const char* goal = "",
                      const char* unit = "ms") {
    char ratio[64];
    std::snprintf(ratio, sizeof ratio, "%.2f [%.2f-%.2f]", p.Ratio.Median, p.Ratio.Low, p.Ratio.High);
    std::printf("  %-34s %-28s %-28s %-20s %s\n", what.c_str(), Figure(p.Ours, unit).c_str(),
                Figure(p.Theirs, unit).c_str(), ratio, goal);
}

} // namespace bench
