#include "cli/QtTimer.h"

namespace sus::cli {

QtTimer::QtTimer()
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (enabled_ && handler_)
            handler_();
    });
}

void QtTimer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled)
        timer_.start(intervalMs_);
    else
        timer_.stop();
}

void QtTimer::setInterval(int milliseconds)
{
    if (milliseconds == intervalMs_)
        return;
    intervalMs_ = milliseconds;
    // A new interval restarts the period from now.
    if (enabled_)
        timer_.start(intervalMs_);
}

} // namespace sus::cli
