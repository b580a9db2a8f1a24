// SPDX-License-Identifier: Apache-2.0
#include "bench/RunFigures.h"

#include <cstdio>

namespace sus::bench {

namespace {

constexpr double kLatenessTargetTimesSleeping = 1.5;
constexpr double kWindowBlockedTargetMs = 0.5;
constexpr double kWindowLatencyTargetMs = 2.0;

std::string inMs(std::int64_t ns)
{
    return milliseconds(static_cast<double>(ns));
}

} // namespace

RunFigures RunFigures::of(const std::vector<TickTiming>& ticks, const TimedWindow& window,
                          SleepingThread& sleeper, const MachineWatch::Figures& machine)
{
    return {.lateness = Summary::of(latenessesNs(ticks)),
            .tickWork = Summary::of(workTimesNs(ticks)),
            .windowBlocked = Summary::of(window.blockedPerTickNs()),
            .windowLatency = Summary::of(window.latenciesNs()),
            .sleeping = Summary::of(sleeper.stop()),
            .sleepBeat = sleeper.beat(),
            .machine = machine,
            .latestTicks = bench::latestTicks(ticks, 3)};
}

std::string RunFigures::againstSleeping(std::int64_t p99Ns) const
{
    if (sleeping.p99Ns <= 0)
        return "the sleeping thread's p99 is 0";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f x the sleeping thread's p99",
                  static_cast<double>(p99Ns) / static_cast<double>(sleeping.p99Ns));
    return text;
}

void RunFigures::print(const char* cpuTarget) const
{
    std::printf("  machine            load %s before, %s after", machine.loadBefore.c_str(),
                machine.loadAfter.c_str());
    if (machine.runQueueWaitNs >= 0)
        std::printf("; the line's thread waited %s ms in all for a CPU",
                    inMs(machine.runQueueWaitNs).c_str());
    std::printf("\n  sleeping thread    %s over %zu beats of %lld ms\n", sleeping.percentilesInMs().c_str(),
                sleeping.count, static_cast<long long>(sleepBeat.count()));
    std::printf("  tick lateness      %s over %zu ticks on the line's thread\n"
                "                     p99 %s (target at most %.1f x)\n",
                lateness.percentilesInMs().c_str(), lateness.count, againstSleeping(lateness.p99Ns).c_str(),
                kLatenessTargetTimesSleeping);
    std::printf("  latest ticks       %s\n", latestTicks.c_str());
    std::printf("  tick on the line   %s\n", tickWork.percentilesInMs().c_str());
    if (windowLatency.count == 0) {
        std::printf("  window             nothing posted to the window's thread\n");
    } else {
        std::printf("  window blocked     %s per tick that posted (target p99 at most %.1f ms)\n",
                    windowBlocked.percentilesInMs().c_str(), kWindowBlockedTargetMs);
        std::printf("  window latency     %s over %zu posted events (target p99 at most %.0f ms)\n"
                    "                     p99 %s\n",
                    windowLatency.percentilesInMs().c_str(), windowLatency.count, kWindowLatencyTargetMs,
                    againstSleeping(windowLatency.p99Ns).c_str());
    }
    std::printf("  CPU                %.2f %% of a core, the whole process over %.1f s",
                machine.cpuPercentOfACore(), static_cast<double>(machine.wallNs) / 1e9);
    if (cpuTarget)
        std::printf(" (target %s)", cpuTarget);
    std::printf("\n");
}

} // namespace sus::bench
