#pragma once

#include "bench/MachineWatch.h"
#include "bench/SleepingThread.h"
#include "bench/Statistics.h"
#include "bench/TickRecorder.h"

#include <chrono>
#include <string>
#include <vector>

namespace sus::bench {

// How the timer and the event loop's thread fared over one run, beside a sleeping thread of the
// same time: the program's share of the lateness is what exceeds the sleeping thread's.
struct LoopFigures {
    Summary lateness; // of the ticks
    Summary blocked;  // how long each tick's handler kept the loop from other events
    Summary sleeping; // the sleeping thread's lateness
    std::chrono::milliseconds sleepBeat{};
    MachineWatch::Figures machine;
    std::string latestTicks;

    static LoopFigures of(const std::vector<TickTiming>& ticks, SleepingThread& sleeper,
                          const MachineWatch& watch);

    // "1.32 x the sleeping thread's p99"
    std::string againstSleeping(std::int64_t p99Ns) const;
    // The lines every real-time benchmark prints; `cpuTarget` as the benchmark states it, if it has one.
    void print(const char* cpuTarget) const;
};

} // namespace sus::bench
