// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"
#include "core/Executor.h"
#include "core/Timer.h"
#include "link/LinePriority.h"

#include <memory>

namespace sus {

// Where the work of the line runs. In real time the line has a thread of its own (LineThread): the
// port is opened, used and closed there, its timers tick there, and what the user must learn is
// posted to the window's thread; neither thread ever waits on the other. In virtual time
// (InlineLine) both are the caller's thread and every step runs at once, in the same order.
class LineHost {
public:
    virtual ~LineHost() = default;

    // Posts work to the line's thread and to the window's.
    virtual Threads threads() = 0;

    // A timer, disabled, that ticks on the line's thread. Its owner sets it up (interval, handler)
    // before the line first uses it; from then on it is used on the line's thread, and destroyed
    // there or once stop() has returned.
    virtual std::unique_ptr<Timer> createTimer() = 0;

    // The clock its timers tick by; only the line's own work waits on it.
    virtual WaitableClock& clock() = 0;

    // What the line's work got of the processors.
    virtual LinePriority priority() const = 0;

    // Lets the work already handed to the line finish, then stops it: timers no longer tick and
    // nothing posted later runs. Call it on the window's thread before the line's users go away.
    virtual void stop() = 0;
};

} // namespace sus
