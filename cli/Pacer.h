#pragma once

#include "core/Clock.h"
#include "core/Timer.h"

#include <functional>
#include <memory>

namespace sus::cli {

// How time passes for a command that drives the line: the clock the line is stamped with and the
// timers that pace the sequencer or the DMX loop, exactly as the window's timers do.
class Pacer {
public:
    // Why runUntil returned.
    enum class RunEnd { Done, TimersStopped, Interrupted };

    virtual ~Pacer() = default;

    virtual const Clock& clock() const = 0;

    // A new timer, disabled. The pacer must outlive it.
    virtual std::unique_ptr<Timer> createTimer() = 0;

    // Lets the timers tick until `done` holds (asked before the first tick and after each one),
    // until no timer is enabled, or until the user interrupts (Ctrl+C).
    virtual RunEnd runUntil(const std::function<bool()>& done) = 0;
};

} // namespace sus::cli
