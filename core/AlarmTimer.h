// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Timer.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

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

// Of `alarms` (each with `armed` and `dueNs`), the armed one due first, and of two due at once the
// one listed first; null when none is armed. What serves several alarms (the line's thread, virtual
// time) takes the next one so.
template <typename Alarm> Alarm* firstDue(const std::vector<Alarm*>& alarms)
{
    Alarm* next = nullptr;
    for (Alarm* alarm : alarms) {
        if (alarm->armed && (next == nullptr || alarm->dueNs < next->dueNs))
            next = alarm;
    }
    return next;
}

// When the tick after one due at `dueNs` that began at `ranNs` is due, a period of `periodNs` on:
// the one place for the beat.
constexpr std::int64_t nextBeatDueNs(std::int64_t dueNs, std::int64_t ranNs, std::int64_t periodNs)
{
    return dueNs + periodNs <= ranNs ? ranNs + periodNs : dueNs + periodNs;
}

// The Timer rules over an alarm source: the programs' timers on the line's thread, and virtual time's.
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
    void postpone(std::int64_t durationNs) override;
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
    void postpone(std::int64_t durationNs) override { timer_.postpone(durationNs); }
    void setOnTick(std::function<void()> handler) override { timer_.setOnTick(std::move(handler)); }

private:
    Source source_;
    AlarmTimer timer_{source_};
};

} // namespace sus
