// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"
#include "link/LineHost.h"

#include <functional>

namespace sus::cli {

// How time passes for a command that drives the line: the clock the line is stamped with, where the
// line's work runs with the timers that pace the sequencer or the DMX loop (exactly as the window's
// timers do), and the command's own waiting.
class Pacer {
public:
    // Why runUntil returned.
    enum class RunEnd { Done, TimersStopped, Interrupted };

    virtual ~Pacer() = default;

    virtual const Clock& clock() const = 0;
    virtual LineHost& line() = 0;

    // Lets the line work until `done` holds (asked before anything runs and again as work comes back
    // from the line), until nothing more can happen (no timer enabled, in virtual time), or until the
    // user interrupts (Ctrl+C).
    virtual RunEnd runUntil(const std::function<bool()>& done) = 0;
};

} // namespace sus::cli
