// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Executor.h"
#include "link/LineThread.h"
#include "link/machine/LineThreadPriority.h"

#include <QObject>

#include <functional>
#include <memory>

namespace sus {

// Posts to the event loop of the thread that made it, the window's: each task runs there as an event
// of its own, in the order posted. What is still queued when it is destroyed never runs.
class QtEventLoopExecutor final : public Executor {
public:
    void post(std::function<void()> task) override;
    // Drops what was posted and has not run yet.
    void discardPending();

private:
    QObject context_;
};

// The line's thread in a Qt program. It is a QThread: a serial port opened there finds Qt's event
// dispatcher for its notifiers, which a plain thread lacks. It asks to come first as the programs
// may (link/machine/LineThreadPriority.h). Results go to the event loop of the thread
// that made it; once the line has stopped, what it posted there and has not run is dropped, as its
// users are going away.
class QtLineThread final : public LineHost {
public:
    // `raise`: how the thread asks to come first; a benchmark may run it as an ordinary thread.
    explicit QtLineThread(RaisePriority raise = raiseLineThread);

    Threads threads() override { return thread_.threads(); }
    std::unique_ptr<Timer> createTimer() override { return thread_.createTimer(); }
    WaitableClock& clock() override { return thread_.clock(); }
    LinePriority priority() const override { return thread_.priority(); }
    void stop() override;

private:
    QtEventLoopExecutor window_;
    LineThread thread_;
};

} // namespace sus
