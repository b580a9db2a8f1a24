// SPDX-License-Identifier: Apache-2.0
#include "core/VirtualScheduler.h"

#include "core/AlarmTimer.h"

#include <algorithm>
#include <utility>

namespace sus {

class VirtualScheduler::VirtualAlarm final : public AlarmSource {
public:
    explicit VirtualAlarm(VirtualScheduler& owner) : owner_(owner) { owner_.alarms_.push_back(this); }
    ~VirtualAlarm() override { std::erase(owner_.alarms_, this); }
    VirtualAlarm(const VirtualAlarm&) = delete;
    VirtualAlarm& operator=(const VirtualAlarm&) = delete;

    std::int64_t nowNs() const override { return owner_.now_; }
    void arm(std::int64_t atNs) override
    {
        armed = true;
        dueNs = atNs;
    }
    void disarm() override { armed = false; }
    void setOnAlarm(std::function<void()> onAlarm) override { callback = std::move(onAlarm); }

    bool armed = false;
    std::int64_t dueNs = 0;
    std::function<void()> callback;

private:
    VirtualScheduler& owner_;
};

VirtualScheduler::VirtualScheduler() = default;
VirtualScheduler::~VirtualScheduler() = default;

std::unique_ptr<Timer> VirtualScheduler::createTimer()
{
    return std::make_unique<TimerOnAlarm<VirtualAlarm>>(*this);
}

void VirtualScheduler::sleepUntil(std::int64_t timeNs)
{
    now_ = std::max(now_, timeNs);
}

std::int64_t VirtualScheduler::nextDueNs() const
{
    const VirtualAlarm* next = firstDue(alarms_);
    return next ? next->dueNs : -1;
}

bool VirtualScheduler::runNextTick()
{
    VirtualAlarm* next = firstDue(alarms_);
    if (next == nullptr)
        return false;
    next->armed = false;
    now_ = std::max(now_, next->dueNs + (lateness_ ? lateness_() : 0));
    if (next->callback)
        next->callback();
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
