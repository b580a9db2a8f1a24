// SPDX-License-Identifier: Apache-2.0
#pragma once

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
// - A disabled timer never ticks; a tick never runs while another handler runs.
class Timer {
public:
    virtual ~Timer() = default;

    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;

    // The handler run at every tick.
    virtual void setOnTick(std::function<void()> handler) = 0;
};

} // namespace sus
