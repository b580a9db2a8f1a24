// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/LineRunner.h"

#include <cstdint>
#include <optional>

namespace sus {

class WaitableClock;

// The update run's gaps on the wire. The fixture never answers: the quiet after a frame is its only
// time to take in a block, write its flash or erase it, and the run's timer sets how long that quiet
// is. So a frame's first character never starts sooner after the previous frame's first character
// than the intervals of the ticks between them add up to (20, 100 or 1000 ms), whatever the machine
// does; a late frame pushes every later one, and nothing catches up by shortening a gap. Two halves
// keep that rule:
// - the run's timer counts each period from the moment its tick began (TimerPacing::Gaps), so a
//   late tick never brings the next one sooner;
// - the steps of a frame before its first write (a drain, a change of parity) take longer at one
//   tick than at another, so the first write itself waits here until its gap has passed since the
//   previous frame's first write was handed over.
// The frames of a run pass it in order on the line's thread, each as the gate of its first write.
class FrameGaps final : public FirstWriteGate {
public:
    explicit FrameGaps(WaitableClock& clock) : clock_(clock) {}

    // A run begins: its first frame keeps no gap.
    void restart();
    // A tick of the run's timer came, one period of `intervalMs` after the one before.
    void tickCame(int intervalMs);

    // FirstWriteGate
    void beforeFirstWrite() override;
    void afterFirstWrite() override;

private:
    WaitableClock& clock_;
    std::optional<std::int64_t> lastFrameNs_; // when the previous frame's first write was handed over
    std::int64_t gapNs_ = 0;                  // the periods of the ticks since then
};

} // namespace sus
