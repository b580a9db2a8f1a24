// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"

#include <chrono>

namespace sus {

// The wall clock for the simulated controller's real-time mode: nanoseconds since construction.
class SteadyClock : public Clock {
public:
    std::int64_t nowNs() const override
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() -
                                                                    origin_)
            .count();
    }

private:
    std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
};

} // namespace sus
