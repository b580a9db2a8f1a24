// SPDX-License-Identifier: Apache-2.0
#include "bench/MachineWatch.h"

#include "bench/Machine.h"

#include <chrono>

namespace sus::bench {

namespace {

std::int64_t wallNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

double MachineWatch::Figures::cpuPercentOfACore() const
{
    return wallNs > 0 ? 100.0 * static_cast<double>(cpuNs) / static_cast<double>(wallNs) : 0.0;
}

MachineWatch::MachineWatch()
    : loadBefore_(loadAverages()), startNs_(wallNs()), cpuNs_(processCpuNs()),
      runQueueWaitNs_(threadRunQueueWaitNs())
{
}

MachineWatch::Figures MachineWatch::figures() const
{
    const std::int64_t waited = threadRunQueueWaitNs();
    return {.loadBefore = loadBefore_,
            .loadAfter = loadAverages(),
            .wallNs = wallNs() - startNs_,
            .cpuNs = processCpuNs() - cpuNs_,
            .runQueueWaitNs = waited >= 0 && runQueueWaitNs_ >= 0 ? waited - runQueueWaitNs_ : -1};
}

} // namespace sus::bench
