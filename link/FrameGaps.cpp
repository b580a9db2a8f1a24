// SPDX-License-Identifier: Apache-2.0
#include "link/FrameGaps.h"

#include "core/Clock.h"
#include "core/Nanoseconds.h"
#include "core/Timer.h"

namespace sus {

FrameGaps::FrameGaps(WaitableClock& clock, Timer& timer) : clock_(clock), timer_(timer) {}

void FrameGaps::restart()
{
    lastFrameNs_.reset();
    gapNs_ = 0;
}

void FrameGaps::tickCame()
{
    // The interval in force now is the one whose period brought this tick.
    gapNs_ += timer_.interval() * kNsPerMs;
}

void FrameGaps::beforeFirstWrite()
{
    if (!lastFrameNs_)
        return;
    const std::int64_t heldFromNs = clock_.nowNs();
    const std::int64_t dueNs = *lastFrameNs_ + gapNs_;
    if (heldFromNs >= dueNs)
        return;
    clock_.sleepUntil(dueNs);
    timer_.postpone(clock_.nowNs() - heldFromNs);
}

void FrameGaps::afterFirstWrite()
{
    // Taken once the write has been handed over, so no sooner than the handover itself: the next
    // frame's comes at least its gap after this one's.
    lastFrameNs_ = clock_.nowNs();
    gapNs_ = 0;
}

} // namespace sus
