// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"
#include "core/Timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace sus {

// Virtual time for tests, demos and the command-line companion: a clock and the timers that run
// on it. Nothing happens by itself; the owner advances time and the due ticks run in order, each
// with the clock standing at its due time, as a precise timer on an idle machine would deliver them,
// or later when the owner plays a busy machine. Its timers keep the rules of every timer of the
// system (core/AlarmTimer.h).
class VirtualScheduler : public WaitableClock {
public:
    VirtualScheduler();
    ~VirtualScheduler() override;
    VirtualScheduler(const VirtualScheduler&) = delete;
    VirtualScheduler& operator=(const VirtualScheduler&) = delete;

    std::int64_t nowNs() const override { return now_; }
    // Time passes within the work in hand: the clock moves on and no tick runs meanwhile.
    void sleepUntil(std::int64_t timeNs) override;

    // A new timer, disabled, with a zero interval. The scheduler must outlive it.
    std::unique_ptr<Timer> createTimer();

    // How late each tick comes after its due time, asked once per tick as it comes (none by default).
    void setLateness(std::function<std::int64_t()> lateness) { lateness_ = std::move(lateness); }

    // Runs every tick due up to and including `timeNs`, then leaves the clock at `timeNs` (or later,
    // where a late tick ran past it).
    void runUntil(std::int64_t timeNs);
    void advanceBy(std::int64_t durationNs) { runUntil(now_ + durationNs); }

    // Runs ticks one by one until `done` holds or no timer is enabled or `limitNs` is reached;
    // true when `done` held.
    bool runUntil(const std::function<bool()>& done, std::int64_t limitNs);

    // Runs the next due tick, if any timer is enabled; false when none is.
    bool runNextTick();

    // When the next tick is due, or -1 when no timer is enabled.
    std::int64_t nextDueNs() const;

private:
    class VirtualAlarm;
    friend class VirtualAlarm;

    std::int64_t now_ = 0;
    std::function<std::int64_t()> lateness_;
    std::vector<VirtualAlarm*> alarms_;
};

} // namespace sus
