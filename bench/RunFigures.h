// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "bench/MachineWatch.h"
#include "bench/SleepingThread.h"
#include "bench/Statistics.h"
#include "bench/TickRecorder.h"
#include "bench/TimedWindow.h"

#include <chrono>
#include <string>
#include <vector>

namespace sus::bench {

// How the line's thread and the window's thread fared over one run, beside a sleeping thread of the
// same time: the program's share of the lateness is what exceeds the sleeping thread's.
struct RunFigures {
    Summary lateness;      // of the ticks, on the line's thread
    Summary tickWork;      // how long each tick ran there: its drains, changes and writes
    Summary windowBlocked; // how long what each tick posted kept the window's event loop
    Summary windowLatency; // from a post on the line's thread to its start on the window's
    Summary sleeping;      // the sleeping thread's lateness
    std::chrono::milliseconds sleepBeat{};
    MachineWatch::Figures machine; // watched on the line's thread
    std::string latestTicks;

    static RunFigures of(const std::vector<TickTiming>& ticks, const TimedWindow& window,
                         SleepingThread& sleeper, const MachineWatch::Figures& machine);

    // "1.32 x the sleeping thread's p99"
    std::string againstSleeping(std::int64_t p99Ns) const;
    // The lines every real-time benchmark prints; `cpuTarget` as the benchmark states it, if it has one.
    void print(const char* cpuTarget) const;
};

} // namespace sus::bench
