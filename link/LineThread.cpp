// SPDX-License-Identifier: Apache-2.0
#include "link/LineThread.h"

#include "link/FineTimerResolution.h"
#include "link/LineThreadCheck.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace sus {

namespace {

class StandardThread final : public LineThread::OwnThread {
public:
    explicit StandardThread(std::function<void()> body) : thread_(std::move(body)) {}
    void join() override { thread_.join(); }

private:
    std::thread thread_;
};

} // namespace

// An alarm served by the line's thread: armed and disarmed under the thread's lock, called back on
// the thread once its time has come.
class LineThread::Alarm final : public AlarmSource {
public:
    explicit Alarm(LineThread& owner) : owner_(owner)
    {
        const std::lock_guard lock(owner_.mutex_);
        owner_.alarms_.push_back(this);
    }
    ~Alarm() override
    {
        const std::lock_guard lock(owner_.mutex_);
        std::erase(owner_.alarms_, this);
    }
    Alarm(const Alarm&) = delete;
    Alarm& operator=(const Alarm&) = delete;

    std::int64_t nowNs() const override { return SteadyClock::now(); }
    void arm(std::int64_t atNs) override
    {
        {
            const std::lock_guard lock(owner_.mutex_);
            armed = true;
            dueNs = atNs;
        }
        owner_.wake_.notify_one();
    }
    void disarm() override
    {
        const std::lock_guard lock(owner_.mutex_);
        armed = false;
    }
    void setOnAlarm(std::function<void()> onAlarm) override
    {
        const std::lock_guard lock(owner_.mutex_);
        callback = std::move(onAlarm);
    }

    // Under the owner's lock.
    bool armed = false;
    std::int64_t dueNs = 0;
    // Set while the alarm is not armed; called without the lock.
    std::function<void()> callback;

private:
    LineThread& owner_;
};

std::unique_ptr<LineThread::OwnThread> LineThread::spawnStandardThread(std::function<void()> body)
{
    return std::make_unique<StandardThread>(std::move(body));
}

LineThread::LineThread(Executor& window, const Spawn& spawn, RaisePriority raise)
    : window_(window), raise_(std::move(raise))
{
    thread_ = spawn([this] { loop(); });
}

LineThread::~LineThread()
{
    stop();
}

void LineThread::LineExecutor::post(std::function<void()> task)
{
    {
        const std::lock_guard lock(owner_.mutex_);
        // Work handed over after stop() has nowhere to run.
        if (owner_.stopping_)
            return;
        owner_.tasks_.push_back(std::move(task));
    }
    owner_.wake_.notify_one();
}

LinePriority LineThread::priority() const
{
    std::unique_lock lock(mutex_);
    priorityKnown_.wait(lock, [this] { return priority_.has_value(); });
    return *priority_;
}

bool LineThread::isCurrent() const
{
    const std::lock_guard lock(mutex_);
    return std::this_thread::get_id() == threadId_;
}

std::unique_ptr<Timer> LineThread::createTimer()
{
    return std::make_unique<TimerOnAlarm<Alarm>>(*this);
}

void LineThread::stop()
{
    {
        const std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        if (std::this_thread::get_id() == threadId_)
            throw std::logic_error("The line's thread cannot wait for itself to stop.");
        stopping_ = true;
    }
    wake_.notify_one();
    thread_->join();
}

void LineThread::runGuarded(const std::function<void()>& work)
{
    std::exception_ptr escaped;
    try {
        if (work)
            work();
    } catch (...) {
        escaped = std::current_exception();
    }
    // Handed over whole once this thread is done with it: the window's thread is its last holder.
    if (escaped)
        window_.post([error = std::move(escaped)] { std::rethrow_exception(error); });
}

void LineThread::loop()
{
    const LineThreadMark mark;
    const FineTimerResolution precise;
    LinePriority got = raise_ ? raise_() : LinePriority{};
    std::unique_lock lock(mutex_);
    threadId_ = std::this_thread::get_id();
    priority_ = std::move(got);
    priorityKnown_.notify_all();
    for (;;) {
        // What was posted runs before a tick that is due: a Stop reaches the run before its next packet.
        if (!tasks_.empty()) {
            const std::function<void()> task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            runGuarded(task);
            lock.lock();
            continue;
        }
        if (stopping_)
            return;
        Alarm* alarm = firstDue(alarms_);
        if (!alarm) {
            wake_.wait(lock);
            continue;
        }
        if (alarm->dueNs > SteadyClock::now()) {
            wake_.wait_until(lock, SteadyClock::timePointOf(alarm->dueNs));
            continue;
        }
        alarm->armed = false;
        lock.unlock();
        runGuarded(alarm->callback);
        lock.lock();
    }
}

} // namespace sus
