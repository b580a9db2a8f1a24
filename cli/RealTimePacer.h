#pragma once

#include "cli/Pacer.h"
#include "sim/SteadyClock.h"

#include <QEventLoop>

#include <vector>

namespace sus::cli {

// The wall clock: Qt's precise timers on the event loop, as in the window program. Catches Ctrl+C,
// which ends runUntil at the next tick.
class RealTimePacer : public Pacer {
public:
    RealTimePacer();
    ~RealTimePacer() override;
    RealTimePacer(const RealTimePacer&) = delete;
    RealTimePacer& operator=(const RealTimePacer&) = delete;

    const Clock& clock() const override { return clock_; }
    std::unique_ptr<Timer> createTimer() override;
    RunEnd runUntil(const std::function<bool()>& done) override;

private:
    class WatchedTimer;

    // After every tick: ends the loop once there is nothing more to wait for.
    void afterTick();
    bool anyTimerEnabled() const;

    SteadyClock clock_;
    std::vector<WatchedTimer*> timers_;
    QEventLoop loop_;
    const std::function<bool()>* done_ = nullptr;
    RunEnd end_ = RunEnd::Done;
};

} // namespace sus::cli
