#pragma once

#include "core/AlarmTimer.h"

#include <QTimer>

#include <cstdint>
#include <functional>

namespace sus {

// An alarm over a single-shot precise QTimer on the GUI thread's event loop. Qt counts whole
// milliseconds from the moment of arming, so the time left is rounded up: never early.
class QtAlarm final : public AlarmSource {
public:
    QtAlarm();

    std::int64_t nowNs() const override;
    void arm(std::int64_t atNs) override;
    void disarm() override { timer_.stop(); }
    void setOnAlarm(std::function<void()> onAlarm) override { onAlarm_ = std::move(onAlarm); }

private:
    QTimer timer_;
    std::function<void()> onAlarm_;
};

// A window timer with the interval rules of AlarmTimer, over a precise Qt timer.
using QtTimer = TimerOnAlarm<QtAlarm>;

} // namespace sus
