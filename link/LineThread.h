// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/AlarmTimer.h"
#include "core/SteadyClock.h"
#include "link/LineHost.h"
#include "link/LinePriority.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace sus {

// The line's own thread: it runs the tasks posted to it in order and the ticks of its timers at
// their due times, waiting with the platform's precise timed wait in between. As it starts, it asks
// to come first on the processors (link/LinePriority.h). A task never waits for the window and the
// window never waits for a task. An exception that escapes a task or a tick is handed to the
// window's thread, rethrown there as if a handler of the window had thrown it.
class LineThread final : public LineHost {
public:
    // A thread running a body until it returns, and the wait for that.
    class OwnThread {
    public:
        virtual ~OwnThread() = default;
        virtual void join() = 0;
    };
    using Spawn = std::function<std::unique_ptr<OwnThread>(std::function<void()> body)>;

    // A plain standard thread; a backend whose port needs more of its thread supplies its own.
    static std::unique_ptr<OwnThread> spawnStandardThread(std::function<void()> body);

    // Starts the thread. `window` is where results and escaped exceptions go; `raise` is how the
    // thread asks to come first, before anything else it does.
    explicit LineThread(Executor& window, const Spawn& spawn = spawnStandardThread,
                        RaisePriority raise = raiseThisThread);
    ~LineThread() override;
    LineThread(const LineThread&) = delete;
    LineThread& operator=(const LineThread&) = delete;

    Threads threads() override { return {lineExecutor_, window_}; }
    std::unique_ptr<Timer> createTimer() override;
    WaitableClock& clock() override { return clock_; }
    void stop() override;
    // Waits, briefly, until the thread has asked.
    LinePriority priority() const override;

    // Whether the caller runs on the line's thread.
    bool isCurrent() const;

private:
    class Alarm;
    class LineExecutor final : public Executor {
    public:
        explicit LineExecutor(LineThread& owner) : owner_(owner) {}
        void post(std::function<void()> task) override;

    private:
        LineThread& owner_;
    };

    void loop();
    void runGuarded(const std::function<void()>& work);

    Executor& window_;
    RaisePriority raise_;
    LineExecutor lineExecutor_{*this};
    // The monotonic clock the alarms are due on; sleeping on it holds the line's thread.
    SteadyClock clock_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    std::vector<Alarm*> alarms_;
    bool stopping_ = false;
    std::thread::id threadId_;             // set by the thread as it starts, under the lock
    std::optional<LinePriority> priority_; // the same
    mutable std::condition_variable priorityKnown_;
    std::unique_ptr<OwnThread> thread_;
};

} // namespace sus
