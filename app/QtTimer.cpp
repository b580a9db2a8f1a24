#include "app/QtTimer.h"

#include <algorithm>

namespace sus {

QtTimer::QtTimer()
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // A timeout already due when the timer was disabled must not reach the handler.
        if (enabled_ && handler_)
            handler_();
    });
}

void QtTimer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled_)
        startPeriod();
    else
        timer_.stop();
}

void QtTimer::setInterval(int milliseconds)
{
    if (milliseconds == intervalMs_)
        return;
    intervalMs_ = milliseconds;
    if (enabled_)
        startPeriod();
}

void QtTimer::startPeriod()
{
    // A zero interval would make the timer fire whenever the loop is idle; the shortest period is 1 ms.
    timer_.start(std::max(intervalMs_, 1));
}

} // namespace sus
