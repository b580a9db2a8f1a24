// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"

#include <chrono>
#include <cstdint>

namespace sus {

// The wall clock: the monotonic clock in nanoseconds since its epoch, so that every wall clock in a
// program, and the line thread's alarms, agree on one time. Sleeping on it holds the calling thread.
class SteadyClock final : public WaitableClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    std::int64_t nowNs() const override { return now(); }
    void sleepUntil(std::int64_t timeNs) override;

    static std::int64_t now();
    // The monotonic clock's time point at `ns`, for the standard library's timed waits.
    static TimePoint timePointOf(std::int64_t ns);
};

} // namespace sus
