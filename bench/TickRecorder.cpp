// SPDX-License-Identifier: Apache-2.0
#include "bench/TickRecorder.h"

#include "bench/Statistics.h"
#include "core/AlarmTimer.h"
#include "core/Nanoseconds.h"

#include <algorithm>
#include <numeric>

namespace sus::bench {

TickRecorder::TickRecorder(Timer& inner, const Clock& clock) : inner_(inner), clock_(clock)
{
    inner_.setOnTick([this] { tick(); });
}

void TickRecorder::setEnabled(bool enabled)
{
    const bool starts = enabled && !inner_.isEnabled();
    inner_.setEnabled(enabled);
    if (starts)
        startPeriod();
}

void TickRecorder::setInterval(int milliseconds)
{
    const bool restarts = inner_.isEnabled() && milliseconds != inner_.interval();
    inner_.setInterval(milliseconds);
    if (restarts)
        startPeriod();
}

void TickRecorder::startPeriod()
{
    dueNs_ = clock_.nowNs() + inner_.interval() * kNsPerMs;
}

void TickRecorder::tick()
{
    TickTiming timing;
    timing.dueNs = dueNs_;
    timing.ranNs = clock_.nowNs();
    timing.intervalMs = inner_.interval();
    // The next due time, unless the handler starts a new period.
    const std::int64_t period = timing.intervalMs * kNsPerMs;
    dueNs_ = nextBeatDueNs(dueNs_, timing.ranNs, period);
    if (handler_)
        handler_();
    timing.workNs = clock_.nowNs() - timing.ranNs;
    ticks_.push_back(timing);
    if (afterTick_)
        afterTick_();
}

std::vector<std::int64_t> latenessesNs(const std::vector<TickTiming>& ticks)
{
    std::vector<std::int64_t> lateness;
    lateness.reserve(ticks.size());
    for (const auto& t : ticks)
        lateness.push_back(t.latenessNs());
    return lateness;
}

std::vector<std::int64_t> workTimesNs(const std::vector<TickTiming>& ticks)
{
    std::vector<std::int64_t> work;
    work.reserve(ticks.size());
    for (const auto& t : ticks)
        work.push_back(t.workNs);
    return work;
}

std::string latestTicks(const std::vector<TickTiming>& ticks, std::size_t count)
{
    std::vector<std::size_t> order(ticks.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    count = std::min(count, order.size());
    std::partial_sort(
        order.begin(), order.begin() + static_cast<std::ptrdiff_t>(count), order.end(),
        [&](std::size_t a, std::size_t b) { return ticks[a].latenessNs() > ticks[b].latenessNs(); });
    std::string text;
    for (std::size_t k = 0; k < count; ++k) {
        const auto& t = ticks[order[k]];
        text += (k == 0 ? "#" : ", #") + std::to_string(order[k]) + " (" + std::to_string(t.intervalMs) +
                " ms beat) " + milliseconds(static_cast<double>(t.latenessNs())) + " ms";
    }
    return text;
}

} // namespace sus::bench
