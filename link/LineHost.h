// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"
#include "core/Executor.h"
#include "core/Timer.h"
#include "link/LinePriority.h"

#include <memory>

namespace sus {

// Where the work of the line runs, and the program's one rule of threads, which the line's users
// point to rather than restate:
// - The line's thread owns the link (opened, used and closed there), the timers that pace it (the
//   update run's Timer1, DMX output's Timer2) and what a tick reads and changes (the run's files and
//   counters, the frames); link/LineThreadCheck.h lets debug builds check it.
// - The window's thread (mvt's main thread) owns the controls, the pages and the messages: what the
//   user does and is told. Controller discovery runs there too, once, at start-up, before anything is
//   handed to the line; the line's thread may already exist but has nothing to do yet.
// - Neither ever waits on the other: they only post work to each other (Threads, core/Executor.h).
//   What the line needs of the window it takes at once when the work is handed over (RunRequest); a
//   message that holds a run is shown on the window's thread while the run's timer stands.
// - In real time the line has a thread of its own (LineThread). In virtual time (InlineLine) both are
//   the caller's thread and every step runs at once, in the same order, so a run is the same at every
//   run.
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
