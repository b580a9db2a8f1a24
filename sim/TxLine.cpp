// SPDX-License-Identifier: Apache-2.0
#include "sim/TxLine.h"

#include <algorithm>

namespace sus {

void TxLine::startAt(std::int64_t originNs)
{
    if (started_)
        return;
    started_ = true;
    originNs_ = originNs;
}

const WireWrite& TxLine::send(std::int64_t clockNs, const LineState& line, const std::uint8_t* data,
                              std::size_t count)
{
    startAt(clockNs);
    WireWrite& write = keepWrites_ ? writes_.emplace_back() : last_;
    write.startNs = std::max(clockNs - originNs_, busyUntilNs_);
    write.line = line;
    write.bytes.assign(data, data + count);
    if (count > 0)
        busyUntilNs_ = write.endNs();
    return write;
}

void TxLine::clear()
{
    const bool keep = keepWrites_;
    *this = TxLine{};
    keepWrites_ = keep;
}

} // namespace sus
