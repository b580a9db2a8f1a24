// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/VirtualScheduler.h"
#include "link/LineHost.h"

namespace sus {

// The line in virtual time: its work runs on the caller's thread as it is posted, and its timers are
// the scheduler's, so a run is the same at every run.
class InlineLine final : public LineHost {
public:
    explicit InlineLine(VirtualScheduler& scheduler) : scheduler_(scheduler) {}

    Threads threads() override { return inlineThreads(); }
    std::unique_ptr<Timer> createTimer() override { return scheduler_.createTimer(); }
    WaitableClock& clock() override { return scheduler_; }
    LinePriority priority() const override
    {
        return {LinePriority::Kind::Ordinary, "The line runs in virtual time, on the caller's thread"};
    }
    void stop() override {}

private:
    VirtualScheduler& scheduler_;
};

} // namespace sus
