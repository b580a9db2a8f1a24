// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/Pacer.h"
#include "core/VirtualScheduler.h"
#include "link/InlineLine.h"

namespace sus::cli {

// Virtual time: each tick runs as soon as the previous one has, with the clock standing at its due
// time, and the line's work runs inline, so a run ends at once and its capture is the same at every
// run. The clock starts at 0.
class VirtualPacer : public Pacer {
public:
    const Clock& clock() const override { return scheduler_; }
    LineHost& line() override { return line_; }
    RunEnd runUntil(const std::function<bool()>& done) override;

private:
    VirtualScheduler scheduler_;
    InlineLine line_{scheduler_};
};

} // namespace sus::cli
