// SPDX-License-Identifier: Apache-2.0
#include "core/VirtualScheduler.h"

#include "core/Nanoseconds.h"

#include <algorithm>
#include <utility>

namespace sus {

class VirtualScheduler::VirtualTimer : public Timer {
public:
    explicit VirtualTimer(VirtualScheduler& owner) : owner_(owner) { owner_.timers_.push_back(this); }
    ~VirtualTimer() override { std::erase(owner_.timers_, this); }

    void setEnabled(bool enabled) override
    {
        if (enabled == enabled_)
            return;
        enabled_ = enabled;
        if (enabled_)
            restartPeriod();
    }
    bool isEnabled() const override { return enabled_; }

    void setInterval(int milliseconds) override
    {
        if (milliseconds == intervalMs_)
            return;
        intervalMs_ = milliseconds;
        if (enabled_)
            restartPeriod();
    }
    int interval() const override { return intervalMs_; }

    void setOnTick(std::function<void()> handler) override { handler_ = std::move(handler); }

    std::int64_t dueNs() const { return dueNs_; }

    void fire()
    {
        // The period runs on from this tick unless the handler sets a new one.
        restartPeriod();
        if (handler_)
            handler_();
    }

private:
    void restartPeriod() { dueNs_ = owner_.now_ + std::max(intervalMs_, 1) * kNsPerMs; }

    VirtualScheduler& owner_;
    bool enabled_ = false;
    int intervalMs_ = 0;
    std::int64_t dueNs_ = 0;
    std::function<void()> handler_;
};

VirtualScheduler::VirtualScheduler() = default;
VirtualScheduler::~VirtualScheduler() = default;

std::unique_ptr<Timer> VirtualScheduler::createTimer()
{
    return std::make_unique<VirtualTimer>(*this);
}

std::int64_t VirtualScheduler::nextDueNs() const
{
    std::int64_t due = -1;
    for (const VirtualTimer* timer : timers_) {
        if (timer->isEnabled() && (due < 0 || timer->dueNs() < due))
            due = timer->dueNs();
    }
    return due;
}

bool VirtualScheduler::runNextTick()
{
    // Of two timers due at once, the one created first ticks first.
    VirtualTimer* next = nullptr;
    for (VirtualTimer* timer : timers_) {
        if (timer->isEnabled() && (next == nullptr || timer->dueNs() < next->dueNs()))
            next = timer;
    }
    if (next == nullptr)
        return false;
    now_ = std::max(now_, next->dueNs());
    next->fire();
    return true;
}

void VirtualScheduler::runUntil(std::int64_t timeNs)
{
    for (std::int64_t due = nextDueNs(); due >= 0 && due <= timeNs; due = nextDueNs())
        runNextTick();
    now_ = std::max(now_, timeNs);
}

bool VirtualScheduler::runUntil(const std::function<bool()>& done, std::int64_t limitNs)
{
    while (!done()) {
        const std::int64_t due = nextDueNs();
        if (due < 0 || due > limitNs)
            return false;
        runNextTick();
    }
    return true;
}

} // namespace sus
