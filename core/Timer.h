// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <functional>

namespace sus {

// A window timer as the handlers use it: enabled or not, with an interval in milliseconds, ticking
// on the thread whose work it paces. The programs' timers tick on the line's own thread
// (link/LineThread.h); tests use virtual ones.
//
// The rules every implementation keeps:
// - Enabling a disabled timer starts a period: the first tick comes one interval later.
//   Enabling a running timer changes nothing.
// - Setting a new interval restarts the period from now: set during a tick, the next tick comes
//   that long after this one. Setting the interval it already has leaves the period alone.
// - A running timer keeps a beat: each tick is due one interval after the previous one was due,
//   however late that one ran, so lateness never adds up; a beat missed whole is not made up with a
//   burst of ticks, the next one comes a whole interval after the late tick.
// - A disabled timer never ticks; a tick never runs while another handler runs.
class Timer {
public:
    virtual ~Timer() = default;

    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    // The running period ends `durationNs` later, and the beat moves with it: what a tick had to
    // wait for pushes every later tick. Nothing while the timer is disabled.
    virtual void postpone(std::int64_t durationNs) = 0;

    // The handler run at every tick.
    virtual void setOnTick(std::function<void()> handler) = 0;
};

} // namespace sus
