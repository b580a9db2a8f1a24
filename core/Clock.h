// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace sus {

// Time as the line sees it, in nanoseconds from an origin the owner chooses. The simulated
// controller stamps every write with it; tests step a virtual clock, demos follow the wall clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowNs() const = 0;
};

} // namespace sus
