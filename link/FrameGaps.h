// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/LineRunner.h"

#include <cstdint>
#include <optional>

namespace sus {

class Timer;
class WaitableClock;

// The update run's gaps on the wire: the one place for the rule. The fixture never answers: the
// quiet after a frame is its only time to take in a block, write its flash or erase it, and the
// run's timer sets how long that quiet is. So a frame's first character never starts sooner after
// the previous frame's first character than the intervals of the ticks between them add up to (20,
// 100 or 1000 ms), whatever the machine does: a late frame pushes every later one, and nothing
// catches up by shortening a gap.
//
// The run's timer keeps its beat, and a tick that came late is followed by one that comes sooner;
// whatever made a frame late (its tick, or steps before its first write that took longer than the
// last time: a drain, a change of parity) can so bring the next frame too soon. The frames of a run
// pass here in order on the line's thread, each as the gate of its first write: a first write that
// would come too soon waits until its gap has passed since the previous frame's first write was
// handed to the device, and the timer's beat moves by that wait, so that the rest of the run follows
// later and one slow frame is waited for once. A tick no later than the one before it costs
// nothing: the beat keeps its lateness from adding up.
class FrameGaps final : public FirstWriteGate {
public:
    // The gaps of the frames sent at the ticks of `timer`, which come by `clock`.
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
