// SPDX-License-Identifier: Apache-2.0
#include "link/FrameGaps.h"

#include "core/Clock.h"
#include "core/Nanoseconds.h"

namespace sus {

void FrameGaps::restart()
{
    lastFrameNs_.reset();
    gapNs_ = 0;
}

void FrameGaps::tickCame(int intervalMs)
{
    gapNs_ += intervalMs * kNsPerMs;
}

void FrameGaps::beforeFirstWrite()
{
    if (lastFrameNs_)
        clock_.sleepUntil(*lastFrameNs_ + gapNs_);
}

void FrameGaps::afterFirstWrite()
{
    // Taken once the write has been handed over, so no sooner than the handover itself: the next
    // frame's comes at least its gap after this one's.
    lastFrameNs_ = clock_.nowNs();
    gapNs_ = 0;
}

} // namespace sus
