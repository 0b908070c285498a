#pragma once
// One run of a program as a child process, for the benchmarks that measure whole programs.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace bench {

struct TChildRun {
    double CpuMs = 0, WallMs = 0, PeakMb = 0;
    int Status = 0; // as wait4 gives it
    bool Ok = false; // ended by itself with status 0
};

// Runs the program with its standard output thrown away: its processor time (user and system),
// wall time and peak resident memory.
inline TChildRun RunChild(const std::vector<std::string>& args) {
    std::fflush(stdout);
    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child == 0) {
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (!std::freopen("/dev/null", "w", stdout)) _exit(127);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    clock_gettime(CLOCK_MONOTONIC, &end);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return {ms(usage.ru_utime) + ms(usage.ru_stime),
            double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6,
            usage.ru_maxrss / 1024.0, status, WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

// Peak resident memory of one run of the program, in MB, and its status.
inline double PeakMegabytes(const std::vector<std::string>& args, int& status) {
    const TChildRun run = RunChild(args);
    status = run.Status;
    return run.PeakMb;
}

} // namespace bench
