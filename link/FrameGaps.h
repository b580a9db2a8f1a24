// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/LineRunner.h"

#include <cstdint>
#include <optional>

namespace sus {

class Timer;
class WaitableClock;

// The update run's gaps on the wire. The fixture never answers: the quiet after a frame is its only
// time to take in a block, write its flash or erase it, and the run's timer sets how long that quiet
// is. So a frame's first character never starts sooner after the previous frame's first character
// than the intervals of the ticks between them add up to (20, 100 or 1000 ms), whatever the machine
// does; a late frame pushes every later one, and nothing catches up by shortening a gap.
//
// It paces the run's timer, and the frames of the run pass it in order on the line's thread, each as
// the gate of its first write:
// - the timer counts each period from the moment its tick began (TimerPacing::Gaps), so a late tick
//   never brings the next one sooner;
// - the steps of a frame before its first write (a drain, a change of parity) take longer at one tick
//   than at another, so the first write waits here, should it come too soon, until its gap has passed
//   since the previous frame's first write was handed over; and the next tick comes that much later,
//   so that one slow frame is waited for once, not at every tick after it.
class FrameGaps final : public FirstWriteGate {
public:
    // Paces `timer`, whose ticks come by `clock`.
    FrameGaps(WaitableClock& clock, Timer& timer);

    // A run begins: its first frame keeps no gap.
    void restart();
    // A tick of the timer has come: call it first thing in every tick.
    void tickCame();

    // FirstWriteGate
    void beforeFirstWrite() override;
    void afterFirstWrite() override;

private:
    WaitableClock& clock_;
    Timer& timer_;
    std::optional<std::int64_t> lastFrameNs_; // when the previous frame's first write was handed over
    std::int64_t gapNs_ = 0;                  // the periods of the ticks since then
};

} // namespace sus
