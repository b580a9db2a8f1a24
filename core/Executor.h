// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <functional>

namespace sus {

// A place where work runs, one task after another in the order posted. Posting never waits for
// the task: the line's thread and the window's thread hand each other work this way.
class Executor {
public:
    virtual ~Executor() = default;
    virtual void post(std::function<void()> task) = 0;
};

// Runs each task at once, on the caller's thread: virtual time, the tests and `--simulate`, where
// the line's work and the window's are one thread and every step stays deterministic.
class InlineExecutor final : public Executor {
public:
    void post(std::function<void()> task) override { task(); }
};

// The two threads a user of the line works between: the line's, where the port is used and the
// timers that pace it tick, and the window's (mvt's main thread), where the user is told.
struct Threads {
    Executor& line;
    Executor& window;
};

// Both sides on the caller's thread.
inline Threads inlineThreads()
{
    static InlineExecutor here;
    return {here, here};
}

} // namespace sus
