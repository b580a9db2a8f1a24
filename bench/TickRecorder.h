// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"
#include "core/Timer.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sus::bench {

// One tick of a recorded timer.
struct TickTiming {
    std::int64_t dueNs = 0;  // when the timer's rules say it should have run
    std::int64_t ranNs = 0;  // when its handler began
    int intervalMs = 0;      // the interval that brought it
    std::int64_t workNs = 0; // how long its handler ran
    bool restarted = false;  // its handler started a new period (a changed interval, or a re-enable)
    // The next period counts from when it ran, so its lateness is carried on: it came a whole
    // interval late or more on a beat, or its timer keeps gaps.
    bool carriesOn = false;

    std::int64_t latenessNs() const { return ranNs - dueNs; }
};

// A timer that passes everything to another one and notes, for every tick, when it was due and
// when it ran. Due times follow the Timer rules: a period starts when the timer is enabled or its
// interval changes, and a running timer's due times follow its pacing from there (core/AlarmTimer.h):
// on a beat, lateness never accumulates in the record unless the handler itself restarts the period
// or a whole beat is missed; with gaps, each tick's lateness is counted from the one before.
class TickRecorder final : public Timer {
public:
    TickRecorder(Timer& inner, const Clock& clock);

    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return inner_.isEnabled(); }
    void setInterval(int milliseconds) override;
    int interval() const override { return inner_.interval(); }
    void setPacing(TimerPacing pacing) override
    {
        pacing_ = pacing;
        inner_.setPacing(pacing);
    }
    void setOnTick(std::function<void()> handler) override { handler_ = std::move(handler); }

    // Runs after the handler of every tick, e.g. to end the measurement.
    void setAfterTick(std::function<void()> hook) { afterTick_ = std::move(hook); }

    const std::vector<TickTiming>& ticks() const { return ticks_; }

private:
    void tick();
    void startPeriod();

    Timer& inner_;
    const Clock& clock_;
    std::function<void()> handler_;
    std::function<void()> afterTick_;
    TimerPacing pacing_ = TimerPacing::Beat;
    std::int64_t dueNs_ = 0;
    bool periodStarted_ = false; // set by startPeriod, to see whether a handler restarted the period
    std::vector<TickTiming> ticks_;
};

std::vector<std::int64_t> latenessesNs(const std::vector<TickTiming>& ticks);
std::vector<std::int64_t> workTimesNs(const std::vector<TickTiming>& ticks);

// Lateness that ticks pass on to the rest of a run: a tick that starts a new period, or whose next
// period counts from when it ran, passes its lateness on; and the last tick ends the run when it runs. A
// run's time over its nominal time is the sum of these.
std::int64_t carriedLatenessNs(const std::vector<TickTiming>& ticks);

// The `count` latest ticks, latest first: "#12 (100 ms beat) 3.201 ms, #40 (20 ms beat) ...".
std::string latestTicks(const std::vector<TickTiming>& ticks, std::size_t count);

} // namespace sus::bench
