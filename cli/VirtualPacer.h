#pragma once

#include "cli/Pacer.h"
#include "core/VirtualScheduler.h"

namespace sus::cli {

// Virtual time: each tick runs as soon as the previous one has, with the clock standing at its due
// time, so a run ends at once and its capture is the same at every run. The clock starts at 0.
class VirtualPacer : public Pacer {
public:
    const Clock& clock() const override { return scheduler_; }
    std::unique_ptr<Timer> createTimer() override { return scheduler_.createTimer(); }
    RunEnd runUntil(const std::function<bool()>& done) override;

private:
    VirtualScheduler scheduler_;
};

} // namespace sus::cli
