#include "bench/EventLoopProbe.h"

#include <QMetaObject>

namespace sus::bench {

EventLoopProbe::EventLoopProbe(const Clock& clock, std::chrono::microseconds period)
    : clock_(clock), period_(period)
{
}

void EventLoopProbe::start()
{
    stop();
    receiver_ = new QObject;
    poster_ = std::jthread([this, receiver = receiver_](std::stop_token stopToken) {
        // Each call is stamped with the beat it belongs to, not with when the helper got round to
        // posting it: a stall of the whole process then shows as late calls too.
        const std::int64_t periodNs = std::chrono::duration_cast<std::chrono::nanoseconds>(period_).count();
        std::int64_t dueNs = clock_.nowNs();
        while (!stopToken.stop_requested()) {
            dueNs += periodNs;
            std::this_thread::sleep_for(std::chrono::nanoseconds(dueNs - clock_.nowNs()));
            QMetaObject::invokeMethod(
                receiver, [this, dueNs] { delaysNs_.push_back(clock_.nowNs() - dueNs); },
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
