// SPDX-License-Identifier: Apache-2.0
#include "bench/Machine.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace sus::bench {

namespace {

std::int64_t hundredsOfNs(const FILETIME& t)
{
    return static_cast<std::int64_t>((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime);
}

} // namespace

std::string loadAverages()
{
    return "unknown";
}

std::int64_t processCpuNs()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    return (hundredsOfNs(kernel) + hundredsOfNs(user)) * 100;
}

std::int64_t threadRunQueueWaitNs()
{
    return -1;
}

// Threads of this process here: their CPU counts in the process's.
struct BusyLoops::Running {
    std::atomic<bool> stop = false;
    std::vector<std::thread> loops;
};

BusyLoops::BusyLoops(int count) : running_(std::make_unique<Running>())
{
    for (int i = 0; i < count; ++i)
        running_->loops.emplace_back([&stop = running_->stop] {
            while (!stop.load(std::memory_order_relaxed)) {
            }
        });
}

BusyLoops::~BusyLoops()
{
    running_->stop = true;
    for (auto& loop : running_->loops)
        loop.join();
}

} // namespace sus::bench
