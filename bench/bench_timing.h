#pragma once
// Plain timing for the benchmarks: the best per-call time of a piece of work
// and of its floor (the least that the same result can cost), printed side by
// side, and the peak memory of a piece of work:
//
//     question bank load: 0.412 ms (floor 0.205 ms, 2.0x)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>

namespace quz::bench {

struct Timing {
    double ms = 0;      // the work, per call
    double floorMs = 0; // its floor, per call
    double ratio() const { return floorMs > 0 ? ms / floorMs : 0; }
};

namespace detail {

inline double batchMs(const std::function<void()> &work, int calls)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i)
        work();
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    return spent.count() / calls;
}

// How many calls make a batch of about `batchMs` milliseconds.
inline int callsPerBatch(const std::function<void()> &work, double batchMs)
{
    int calls = 1;
    for (;;) {
        const double per = detail::batchMs(work, calls);
        if (per * calls >= batchMs / 4 || calls >= (1 << 20))
            return std::max(1, static_cast<int>(batchMs / std::max(per, 1e-6)));
        calls *= 4;
    }
}

} // namespace detail

// Times `work` and `floor` in alternating batches of about 20 ms each and
// keeps the best per-call figure of each: on a shared machine the best batch
// is the one least disturbed by other work, and alternating keeps both
// figures under the same conditions.
inline Timing compare(const std::function<void()> &work, const std::function<void()> &floor,
                      int batches = 15, double batchMs = 20)
{
    const int workCalls = detail::callsPerBatch(work, batchMs);
    const int floorCalls = detail::callsPerBatch(floor, batchMs);
    Timing best{std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    for (int b = 0; b < batches; ++b) {
        best.ms = std::min(best.ms, detail::batchMs(work, workCalls));
        best.floorMs = std::min(best.floorMs, detail::batchMs(floor, floorCalls));
    }
    return best;
}

// Prints "<what>: <ms> ms (floor <ms> ms, <ratio>x)<note>".
inline void report(const char *what, const Timing &t, const char *note = "")
{
    std::printf("%s: %.4f ms (floor %.4f ms, %.1fx)%s\n", what, t.ms, t.floorMs, t.ratio(), note);
    std::fflush(stdout);
}

// A field of /proc/self/status in kB ("VmRSS:", "VmHWM:"); -1 where unknown.
inline long long statusKb(const char *field)
{
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long long kb = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, field, std::strlen(field)) == 0)
            kb = std::atoll(line + std::strlen(field));
    std::fclose(status);
    return kb;
}

// The peak memory of `work` above the memory in use before it, in bytes
// (Linux: the peak is reset to the current use first).
inline long long peakMemoryAbove(const std::function<void()> &work)
{
    if (std::FILE *reset = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", reset);
        std::fclose(reset);
    }
    const long long before = statusKb("VmRSS:");
    work();
    return (statusKb("VmHWM:") - before) * 1024;
}

} // namespace quz::bench
