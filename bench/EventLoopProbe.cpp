#include "bench/EventLoopProbe.h"

#include <QMetaObject>

namespace sus::bench {

EventLoopProbe::EventLoopProbe(const Clock& clock, std::chrono::microseconds period) : clock_(clock), period_(period)
{
}

void EventLoopProbe::start()
{
    stop();
    receiver_ = new QObject;
    poster_ = std::jthread([this, receiver = receiver_](std::stop_token stopToken) {
        auto next = std::chrono::steady_clock::now();
        while (!stopToken.stop_requested()) {
            next += period_;
            std::this_thread::sleep_until(next);
            const std::int64_t postedNs = clock_.nowNs();
            QMetaObject::invokeMethod(
                receiver, [this, postedNs] { delaysNs_.push_back(clock_.nowNs() - postedNs); },
                Qt::QueuedConnection);
        }
    });
}

void EventLoopProbe::stop()
{
    if (poster_.joinable()) {
        poster_.request_stop();
        poster_.join();
    }
    delete receiver_;
    receiver_ = nullptr;
}

} // namespace sus::bench
