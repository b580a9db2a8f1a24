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
// with the clock standing at its due time, as a precise timer on an idle machine would deliver them.
class VirtualScheduler : public Clock {
public:
    VirtualScheduler();
    ~VirtualScheduler() override;
    VirtualScheduler(const VirtualScheduler&) = delete;
    VirtualScheduler& operator=(const VirtualScheduler&) = delete;

    std::int64_t nowNs() const override { return now_; }

    // A new timer, disabled, with a zero interval. The scheduler must outlive it.
    std::unique_ptr<Timer> createTimer();

    // Runs every tick due up to and including `timeNs`, then leaves the clock at `timeNs`.
    void runUntil(std::int64_t timeNs);
    void advanceBy(std::int64_t durationNs) { runUntil(now_ + durationNs); }

    // Runs ticks one by one until `done` holds or no timer is enabled or `limitNs` is reached;
    // true when `done` held.
    bool runUntil(const std::function<bool()>& done, std::int64_t limitNs);

    // Runs the next due tick, if any timer is enabled; false when none is.
    bool runNextTick();

    // Time of the next tick, or -1 when no timer is enabled.
    std::int64_t nextDueNs() const;

private:
    class VirtualTimer;
    friend class VirtualTimer;

    std::int64_t now_ = 0;
    std::vector<VirtualTimer*> timers_;
};

} // namespace sus
