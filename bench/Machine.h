// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace sus::bench {

// What the operating system tells about the machine and the calling thread.

// The load averages over 1, 5 and 15 minutes ("1.02 0.87 0.65"), or "unknown".
std::string loadAverages();
// CPU time the whole process has used, every thread's, user and system.
std::int64_t processCpuNs();
// How long the calling thread has waited, runnable, for a CPU since it began; -1 where the system
// does not tell. Late ticks with a matching rise here mean the machine was busy.
std::int64_t threadRunQueueWaitNs();

// Other programs keeping the processors busy while it lives: `count` loops that never wait, at
// ordinary priority, each a process of its own where the system has them, so the CPU a benchmark
// counts for its own process stays its own.
class BusyLoops {
public:
    explicit BusyLoops(int count);
    ~BusyLoops();
    BusyLoops(const BusyLoops&) = delete;
    BusyLoops& operator=(const BusyLoops&) = delete;

private:
    struct Running;
    std::unique_ptr<Running> running_;
};

} // namespace sus::bench
