// SPDX-License-Identifier: Apache-2.0
#include "core/AlarmTimer.h"

#include "core/Nanoseconds.h"

#include <algorithm>

namespace sus {

namespace {

// Clears a flag however the scope is left, a throwing handler included.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
    ~Raised() { flag_ = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
};

} // namespace

AlarmTimer::AlarmTimer(AlarmSource& source) : source_(source)
{
    source_.setOnAlarm([this] { onAlarm(); });
}

AlarmTimer::~AlarmTimer()
{
    source_.disarm();
    source_.setOnAlarm({});
}

void AlarmTimer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled_)
        startPeriod();
    else
        source_.disarm();
}

void AlarmTimer::setInterval(int milliseconds)
{
    if (milliseconds == intervalMs_)
        return;
    intervalMs_ = milliseconds;
    if (enabled_)
        startPeriod();
}

void AlarmTimer::postpone(std::int64_t durationNs)
{
    if (!enabled_)
        return;
    dueNs_ += durationNs;
    source_.arm(dueNs_);
}

std::int64_t AlarmTimer::periodNs() const
{
    // A zero (or negative) interval would tick whenever the loop is idle; the shortest period is 1 ms.
    return std::max(intervalMs_, 1) * kNsPerMs;
}

void AlarmTimer::startPeriod()
{
    dueNs_ = source_.nowNs() + periodNs();
    source_.arm(dueNs_);
}

void AlarmTimer::onAlarm()
{
    // An alarm already on its way when the timer was disabled must not reach the handler.
    if (!enabled_)
        return;
    // The next beat is armed before the handler runs, so that a handler that changes the interval
    // restarts the period from its own moment, and one that throws leaves the timer running.
    dueNs_ = nextBeatDueNs(dueNs_, source_.nowNs(), periodNs());
    source_.arm(dueNs_);
    // A handler that runs a nested event loop (a modal box) must not see its own timer tick
    // inside it: that beat is skipped.
    if (ticking_ || !handler_)
        return;
    const Raised ticking(ticking_);
    handler_();
}

} // namespace sus
