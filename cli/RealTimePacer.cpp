#include "cli/RealTimePacer.h"

#include "app/RealTimeTimer.h"
#include "cli/Interrupt.h"

#include <algorithm>

namespace sus::cli {

// The real-time timer, telling the pacer after each of its ticks.
class RealTimePacer::WatchedTimer : public Timer {
public:
    explicit WatchedTimer(RealTimePacer& pacer) : pacer_(pacer) { pacer_.timers_.push_back(this); }
    ~WatchedTimer() override { std::erase(pacer_.timers_, this); }
    WatchedTimer(const WatchedTimer&) = delete;
    WatchedTimer& operator=(const WatchedTimer&) = delete;

    void setEnabled(bool enabled) override { timer_->setEnabled(enabled); }
    bool isEnabled() const override { return timer_->isEnabled(); }
    void setInterval(int milliseconds) override { timer_->setInterval(milliseconds); }
    int interval() const override { return timer_->interval(); }
    void setOnTick(std::function<void()> handler) override
    {
        timer_->setOnTick([this, handler = std::move(handler)] {
            if (handler)
                handler();
            pacer_.afterTick();
        });
    }

private:
    RealTimePacer& pacer_;
    std::unique_ptr<Timer> timer_ = createRealTimeTimer();
};

RealTimePacer::RealTimePacer()
{
    catchInterrupt();
}

RealTimePacer::~RealTimePacer() = default;

std::unique_ptr<Timer> RealTimePacer::createTimer()
{
    return std::make_unique<WatchedTimer>(*this);
}

Pacer::RunEnd RealTimePacer::runUntil(const std::function<bool()>& done)
{
    if (done())
        return RunEnd::Done;
    if (!anyTimerEnabled())
        return RunEnd::TimersStopped;
    done_ = &done;
    loop_.exec();
    done_ = nullptr;
    return end_;
}

void RealTimePacer::afterTick()
{
    if (!done_ || !loop_.isRunning())
        return;
    if ((*done_)())
        end_ = RunEnd::Done;
    else if (takeInterrupt())
        end_ = RunEnd::Interrupted;
    else if (!anyTimerEnabled())
        end_ = RunEnd::TimersStopped;
    else
        return;
    loop_.quit();
}

bool RealTimePacer::anyTimerEnabled() const
{
    return std::ranges::any_of(timers_, [](const WatchedTimer* t) { return t->isEnabled(); });
}

} // namespace sus::cli
