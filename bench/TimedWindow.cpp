// SPDX-License-Identifier: Apache-2.0
#include "bench/TimedWindow.h"

namespace sus::bench {

TimedWindow::TimedWindow(Executor& window, const Clock& clock, std::function<std::size_t()> currentTick)
    : window_(window), clock_(clock), currentTick_(std::move(currentTick))
{
}

void TimedWindow::post(std::function<void()> task)
{
    const std::int64_t postedNs = clock_.nowNs();
    const std::size_t tick = currentTick_();
    window_.post([this, postedNs, tick, task = std::move(task)] {
        const std::int64_t startNs = clock_.nowNs();
        task();
        latenciesNs_.push_back(startNs - postedNs);
        blockedByTickNs_[tick] += clock_.nowNs() - startNs;
    });
}

std::vector<std::int64_t> TimedWindow::blockedPerTickNs() const
{
    std::vector<std::int64_t> blocked;
    blocked.reserve(blockedByTickNs_.size());
    for (const auto& [tick, ns] : blockedByTickNs_)
        blocked.push_back(ns);
    return blocked;
}

} // namespace sus::bench
