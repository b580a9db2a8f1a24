#pragma once

#include <cstdint>

namespace sus::bench {

// CPU time (user and system, all threads of the process) against wall time.
struct CpuUse {
    std::int64_t cpuNs = 0;
    std::int64_t wallNs = 0;

    // In percent of one core.
    double percentOfOneCore() const
    {
        return wallNs > 0 ? 100.0 * static_cast<double>(cpuNs) / static_cast<double>(wallNs) : 0.0;
    }
};

// Measures the process's CPU use from its construction or the last restart().
class ProcessCpu {
public:
    ProcessCpu() { restart(); }
    void restart();
    CpuUse elapsed() const;

private:
    CpuUse start_;
};

// How long the calling thread has waited, runnable, for a CPU since it began (the kernel's schedstat;
// -1 where the system does not tell). Late ticks with a matching rise here mean the machine was busy.
std::int64_t threadRunQueueWaitNs();

} // namespace sus::bench
