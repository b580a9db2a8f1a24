// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Timer.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace sus {

// Something that calls back once at an absolute time on its thread's clock: the line's own thread
// (link/LineThread.h), or a fake in the tests. Arming again replaces the time set before.
class AlarmSource {
public:
    virtual ~AlarmSource() = default;

    virtual std::int64_t nowNs() const = 0;
    virtual void arm(std::int64_t atNs) = 0;
    virtual void disarm() = 0;
    // Called when an armed time has come; may come late, never early.
    virtual void setOnAlarm(std::function<void()> onAlarm) = 0;
};

// The Timer rules over an alarm source. Due times are absolute: each beat is one interval after the
// previous beat, not after the tick that ran late, so lateness never adds up over a run. A beat
// missed entirely is not made up with a burst of ticks; the next one comes a whole interval after
// the late tick.
class AlarmTimer final : public Timer {
public:
    explicit AlarmTimer(AlarmSource& source);
    ~AlarmTimer() override;
    AlarmTimer(const AlarmTimer&) = delete;
    AlarmTimer& operator=(const AlarmTimer&) = delete;

    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return enabled_; }
    void setInterval(int milliseconds) override;
    int interval() const override { return intervalMs_; }
    void setOnTick(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    void startPeriod();
    void onAlarm();
    std::int64_t periodNs() const;

    AlarmSource& source_;
    bool enabled_ = false;
    bool ticking_ = false;
    int intervalMs_ = 0;
    std::int64_t dueNs_ = 0;
    std::function<void()> handler_;
};

// An AlarmTimer that owns its alarm source.
template <typename Source> class TimerOnAlarm final : public Timer {
public:
    template <typename... Args>
    explicit TimerOnAlarm(Args&&... sourceArgs) : source_(std::forward<Args>(sourceArgs)...)
    {
    }

    void setEnabled(bool enabled) override { timer_.setEnabled(enabled); }
    bool isEnabled() const override { return timer_.isEnabled(); }
    void setInterval(int milliseconds) override { timer_.setInterval(milliseconds); }
    int interval() const override { return timer_.interval(); }
    void setOnTick(std::function<void()> handler) override { timer_.setOnTick(std::move(handler)); }

private:
    Source source_;
    AlarmTimer timer_{source_};
};

} // namespace sus
