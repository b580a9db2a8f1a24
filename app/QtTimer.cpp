#include "app/QtTimer.h"

#include <algorithm>
#include <chrono>

namespace sus {

namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;

} // namespace

QtAlarm::QtAlarm()
{
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onAlarm_)
            onAlarm_();
    });
}

std::int64_t QtAlarm::nowNs() const
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void QtAlarm::arm(std::int64_t atNs)
{
    const std::int64_t leftNs = std::max<std::int64_t>(atNs - nowNs(), 0);
    timer_.start(static_cast<int>((leftNs + kNsPerMs - 1) / kNsPerMs));
}

} // namespace sus
