#pragma once

// Measuring points shared by the benchmark programs. Each program prints its
// figures as "BENCH <name> <value>" lines on stdout; msp-bench collects them.
// Under callgrind, regions are bracketed with client requests: the program
// runs with collection off, a region switches it on and dumps its count
// under the region's name.

#include <QByteArray>
#include <QFile>

#include <cstdio>
#include <ctime>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define MSP_BENCH_CALLGRIND 1
#endif

namespace BenchProbe {

inline long long monotonicNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Resident set size in KiB, from the kernel's view of this process.
inline long long rssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

inline void report(const char *name, long long value)
{
    std::printf("BENCH %s %lld\n", name, value);
    std::fflush(stdout);
}

inline bool underValgrind()
{
#ifdef MSP_BENCH_CALLGRIND
    return RUNNING_ON_VALGRIND;
#else
    return false;
#endif
}

inline void beginRegion()
{
#ifdef MSP_BENCH_CALLGRIND
    CALLGRIND_TOGGLE_COLLECT;
#endif
}

inline void endRegion(const char *name)
{
#ifdef MSP_BENCH_CALLGRIND
    CALLGRIND_TOGGLE_COLLECT;
    CALLGRIND_DUMP_STATS_AT(name);
#else
    (void)name;
#endif
}

} // namespace BenchProbe
