// SPDX-License-Identifier: Apache-2.0
#include "bench/Machine.h"

#include "core/Nanoseconds.h"

#include <ctime>
#include <fstream>

namespace sus::bench {

std::string loadAverages()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    if (!(in >> one >> five >> fifteen))
        return "unknown";
    return one + " " + five + " " + fifteen;
}

std::int64_t processCpuNs()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return std::int64_t{used.tv_sec} * kNsPerSecond + used.tv_nsec;
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
