#include "app/RealTimeTimer.h"

#include "core/AlarmTimer.h"

#include <QSocketNotifier>

#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <system_error>

namespace sus {

namespace {

constexpr std::int64_t kNsPerSecond = 1'000'000'000;

timespec timespecOf(std::int64_t ns)
{
    return {.tv_sec = static_cast<time_t>(ns / kNsPerSecond),
            .tv_nsec = static_cast<long>(ns % kNsPerSecond)};
}

// A timerfd on CLOCK_MONOTONIC, armed with absolute times and read when the event loop sees it
// readable. Rearming or disarming resets its count of expirations, so an expiry that came before
// either is never delivered afterwards.
class TimerFdAlarm final : public AlarmSource {
public:
    TimerFdAlarm() : fd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
    {
        if (fd_ < 0)
            throw std::system_error(errno, std::generic_category(), "timerfd_create");
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { expired(); });
    }
    ~TimerFdAlarm() override
    {
        notifier_.reset();
        ::close(fd_);
    }
    TimerFdAlarm(const TimerFdAlarm&) = delete;
    TimerFdAlarm& operator=(const TimerFdAlarm&) = delete;

    std::int64_t nowNs() const override
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return std::int64_t{now.tv_sec} * kNsPerSecond + now.tv_nsec;
    }
    void arm(std::int64_t atNs) override
    {
        // An all-zero expiry would disarm the timer; the clock's origin is long past anyway.
        set(timespecOf(std::max<std::int64_t>(atNs, 1)));
    }
    void disarm() override { set({}); }
    void setOnAlarm(std::function<void()> onAlarm) override { onAlarm_ = std::move(onAlarm); }

private:
    void set(const timespec& at)
    {
        const itimerspec expiry{.it_interval = {}, .it_value = at};
        if (timerfd_settime(fd_, TFD_TIMER_ABSTIME, &expiry, nullptr) != 0)
            throw std::system_error(errno, std::generic_category(), "timerfd_settime");
    }
    void expired()
    {
        std::uint64_t expirations = 0;
        // Nothing to read: the timer was rearmed after it became readable.
        if (::read(fd_, &expirations, sizeof expirations) != sizeof expirations)
            return;
        if (onAlarm_)
            onAlarm_();
    }

    int fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onAlarm_;
};

} // namespace

std::unique_ptr<Timer> createRealTimeTimer()
{
    return std::make_unique<TimerOnAlarm<TimerFdAlarm>>();
}

} // namespace sus
