#include "bench/ProcessCpu.h"

#include <sys/resource.h>

#include <chrono>
#include <fstream>

namespace sus::bench {

namespace {

std::int64_t nsOf(const timeval& t)
{
    return std::int64_t{t.tv_sec} * 1'000'000'000 + std::int64_t{t.tv_usec} * 1'000;
}

CpuUse now()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {.cpuNs = nsOf(usage.ru_utime) + nsOf(usage.ru_stime),
            .wallNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count()};
}

} // namespace

void ProcessCpu::restart()
{
    start_ = now();
}

CpuUse ProcessCpu::elapsed() const
{
    const CpuUse end = now();
    return {.cpuNs = end.cpuNs - start_.cpuNs, .wallNs = end.wallNs - start_.wallNs};
}

std::int64_t threadRunQueueWaitNs()
{
    std::ifstream in("/proc/thread-self/schedstat");
    std::int64_t runningNs = 0;
    std::int64_t waitingNs = -1;
    in >> runningNs >> waitingNs;
    return in ? waitingNs : -1;
}

} // namespace sus::bench
