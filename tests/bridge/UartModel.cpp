// SPDX-License-Identifier: Apache-2.0
#include "tests/bridge/UartModel.h"

#include "link/LineTiming.h"

#include <algorithm>

namespace sus::bridge {

bool sameFraming(const LineState& a, const LineState& b)
{
    return a.baudRate == b.baudRate && a.dataBits == b.dataBits && a.parity == b.parity &&
           a.stopBits == b.stopBits;
}

void UartModel::change(std::int64_t atNs, const LineState& line)
{
    advanceTo(atNs);
    if (sameFraming(line, line_)) {
        line_ = line;
        return;
    }
    if (freeAtNs_ > atNs)
        ++cut_;
    line_ = line;
}

void UartModel::enqueue(std::int64_t arrivesNs, const LineState& asWritten, const std::uint8_t* data,
                        std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        queue_.push_back({arrivesNs, asWritten, data[i]});
}

std::int64_t UartModel::queueEmptyAtNs(std::int64_t nowNs) const
{
    std::int64_t freeAt = freeAtNs_;
    std::int64_t lastStart = nowNs;
    for (const QueuedByte& byte : queue_) {
        lastStart = std::max(freeAt, byte.arrivesNs);
        freeAt = lastStart + characterDurationNs(line_);
    }
    return std::max(nowNs, lastStart);
}

std::size_t UartModel::purge(std::int64_t atNs)
{
    advanceTo(atNs);
    const std::size_t dropped = queue_.size();
    queue_.clear();
    return dropped;
}

void UartModel::advanceTo(std::int64_t untilNs)
{
    while (!queue_.empty()) {
        const std::int64_t start = std::max(freeAtNs_, queue_.front().arrivesNs);
        if (start >= untilNs)
            return;
        shiftOut(start, queue_.front());
        queue_.pop_front();
    }
}

void UartModel::shiftOut(std::int64_t startNs, const QueuedByte& byte)
{
    if (!sameFraming(byte.asWritten, line_))
        ++caught_;
    const bool continuesRun =
        !wire_.empty() && wire_.back().endNs() == startNs && sameFraming(wire_.back().line, line_);
    if (!continuesRun)
        wire_.push_back({startNs, line_, {}});
    wire_.back().bytes.push_back(byte.value);
    freeAtNs_ = startNs + characterDurationNs(line_);
}

} // namespace sus::bridge
