#pragma once

#include "core/Timer.h"

#include <cstdint>
#include <memory>

namespace sus::cli {

// A timer that counts its ticks, so a command can stop after a number of them.
class CountedTimer : public Timer {
public:
    explicit CountedTimer(std::unique_ptr<Timer> timer) : timer_(std::move(timer)) {}

    std::int64_t ticks() const { return ticks_; }

    void setEnabled(bool enabled) override { timer_->setEnabled(enabled); }
    bool isEnabled() const override { return timer_->isEnabled(); }
    void setInterval(int milliseconds) override { timer_->setInterval(milliseconds); }
    int interval() const override { return timer_->interval(); }
    void setOnTick(std::function<void()> handler) override
    {
        timer_->setOnTick([this, handler = std::move(handler)] {
            ++ticks_;
            if (handler)
                handler();
        });
    }

private:
    std::unique_ptr<Timer> timer_;
    std::int64_t ticks_ = 0;
};

} // namespace sus::cli
