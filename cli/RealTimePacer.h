// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/Pacer.h"
#include "core/SteadyClock.h"
#include "link/serial/QtLineThread.h"

namespace sus::cli {

// The wall clock: the line's own thread keeps the ticks, and what it posts back runs on the command's
// main thread while runUntil waits. Catches Ctrl+C.
class RealTimePacer : public Pacer {
public:
    RealTimePacer();

    const Clock& clock() const override { return clock_; }
    LineHost& line() override { return line_; }
    RunEnd runUntil(const std::function<bool()>& done) override;

private:
    SteadyClock clock_;
    QtLineThread line_;
};

} // namespace sus::cli
