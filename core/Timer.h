// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <functional>

namespace sus {

// How a running timer's periods follow one another when a tick runs late.
enum class TimerPacing : std::uint8_t {
    // Each beat one interval after the previous beat, however late that tick ran: lateness never
    // adds up, and the tick after a late one comes that much sooner. A beat missed whole is not made
    // up with a burst of ticks: the next one comes a whole interval after the late tick. DMX output
    // keeps a steady frame rate so.
    Beat,
    // Each period counted from the moment its tick began: a late tick pushes every later one, and
    // no period comes out shorter than its interval. The update run, whose fixture takes in, writes
    // and erases only in the quiet between two ticks (link/FrameGaps.h).
    Gaps,
};

// A window timer as the handlers use it: enabled or not, with an interval in milliseconds, ticking
// on the thread whose work it paces. The programs' timers tick on the line's own thread
// (link/LineThread.h); tests use virtual ones.
//
// The rules every implementation keeps:
// - Enabling a disabled timer starts a period: the first tick comes one interval later.
//   Enabling a running timer changes nothing.
// - Setting a new interval restarts the period from now: set during a tick, the next tick comes
//   that long after this one. Setting the interval it already has leaves the period alone.
// - A running timer's periods follow one another as its pacing says (TimerPacing::Beat until set).
// - A disabled timer never ticks; a tick never runs while another handler runs.
class Timer {
public:
    virtual ~Timer() = default;

    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setPacing(TimerPacing pacing) = 0;
    // The running period ends `durationNs` later: work a tick had to wait for pushes the next tick.
    // Nothing while the timer is disabled.
    virtual void postpone(std::int64_t durationNs) = 0;

    // The handler run at every tick.
    virtual void setOnTick(std::function<void()> handler) = 0;
};

} // namespace sus
