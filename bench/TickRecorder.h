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

    std::int64_t latenessNs() const { return ranNs - dueNs; }
};

// A timer that passes everything to another one and notes, for every tick, when it was due and
// when it ran. Due times follow the Timer rules: a period starts when the timer is enabled or its
// interval changes, and a running timer keeps a beat from there (core/AlarmTimer.h), so lateness
// never accumulates in the record unless the handler itself restarts or postpones the period or a
// whole beat is missed.
class TickRecorder final : public Timer {
public:
    TickRecorder(Timer& inner, const Clock& clock);

    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return inner_.isEnabled(); }
    void setInterval(int milliseconds) override;
    int interval() const override { return inner_.interval(); }
    void postpone(std::int64_t durationNs) override
    {
        dueNs_ += durationNs;
        inner_.postpone(durationNs);
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
    std::int64_t dueNs_ = 0;
    std::vector<TickTiming> ticks_;
};

std::vector<std::int64_t> latenessesNs(const std::vector<TickTiming>& ticks);
std::vector<std::int64_t> workTimesNs(const std::vector<TickTiming>& ticks);

// The `count` latest ticks, latest first: "#12 (100 ms beat) 3.201 ms, #40 (20 ms beat) ...".
std::string latestTicks(const std::vector<TickTiming>& ticks, std::size_t count);

} // namespace sus::bench
