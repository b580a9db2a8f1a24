#pragma once

#include "core/Clock.h"

#include <QObject>

#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace sus::bench {

// How long an event that reaches the GUI thread's loop (a key press, a queued signal) waits before
// it is handled: a helper thread posts a call on a steady beat of `period`, and the call, run by the
// loop, notes how long after its beat it came. The helper only posts; everything else stays on the
// GUI thread. Create, start and read it on the GUI thread.
class EventLoopProbe {
public:
    EventLoopProbe(const Clock& clock, std::chrono::microseconds period);
    ~EventLoopProbe() { stop(); }
    EventLoopProbe(const EventLoopProbe&) = delete;
    EventLoopProbe& operator=(const EventLoopProbe&) = delete;

    void start();
    // Stops posting; calls still queued are dropped.
    void stop();

    // Beat-to-run delays of the calls that ran.
    const std::vector<std::int64_t>& delaysNs() const { return delaysNs_; }
    std::chrono::microseconds period() const { return period_; }

private:
    const Clock& clock_;
    std::chrono::microseconds period_;
    std::vector<std::int64_t> delaysNs_;
    QObject* receiver_ = nullptr; // lives on the GUI thread; deleting it drops the calls still queued
    std::jthread poster_;
};

} // namespace sus::bench
