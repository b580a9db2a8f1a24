// SPDX-License-Identifier: Apache-2.0
#include "core/SteadyClock.h"

#include <thread>

namespace sus {

void SteadyClock::sleepUntil(std::int64_t timeNs)
{
    std::this_thread::sleep_until(timePointOf(timeNs));
}

std::int64_t SteadyClock::now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

SteadyClock::TimePoint SteadyClock::timePointOf(std::int64_t ns)
{
    return TimePoint(std::chrono::duration_cast<TimePoint::duration>(std::chrono::nanoseconds(ns)));
}

} // namespace sus
