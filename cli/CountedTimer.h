// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Timer.h"

#include <atomic>
#include <cstdint>
#include <limits>
#include <memory>

namespace sus::cli {

// A timer that counts its ticks and stops itself after the last one a command asked for, where it
// ticks: no tick more goes out however late the command looks. The count can be read from any thread.
class CountedTimer : public Timer {
public:
    explicit CountedTimer(std::unique_ptr<Timer> timer,
                          std::int64_t lastTick = std::numeric_limits<std::int64_t>::max())
        : timer_(std::move(timer)), lastTick_(lastTick)
    {
    }

    std::int64_t ticks() const { return ticks_; }
    bool reachedLastTick() const { return ticks_ >= lastTick_; }

    void setEnabled(bool enabled) override { timer_->setEnabled(enabled); }
    bool isEnabled() const override { return timer_->isEnabled(); }
    void setInterval(int milliseconds) override { timer_->setInterval(milliseconds); }
    int interval() const override { return timer_->interval(); }
    void postpone(std::int64_t durationNs) override { timer_->postpone(durationNs); }
    void setOnTick(std::function<void()> handler) override
    {
        timer_->setOnTick([this, handler = std::move(handler)] {
            if (handler)
                handler();
            if (++ticks_ >= lastTick_)
                timer_->setEnabled(false);
        });
    }

private:
    std::unique_ptr<Timer> timer_;
    std::int64_t lastTick_;
    std::atomic<std::int64_t> ticks_ = 0;
};

} // namespace sus::cli
