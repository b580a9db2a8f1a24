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

// A clock the line's own work may wait on, to hold a frame until its moment (link/FrameGaps.h): the
// line's thread sleeps; virtual time moves on at once.
class WaitableClock : public Clock {
public:
    // Returns once the clock has reached `timeNs`; at once when it has already.
    virtual void sleepUntil(std::int64_t timeNs) = 0;
};

} // namespace sus
