// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"
#include "link/WireWrite.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sus {

// The transmit line of a UART: characters of one write follow each other without gaps, a write
// starts once the previous character is out (or at once on an idle line), and a change of rate or
// parity applies to the bytes written after it. Times are relative to an origin on the clock.
class TxLine {
public:
    // Fixes t = 0 at clock time `originNs`; later calls leave it alone until clear().
    void startAt(std::int64_t originNs);
    bool started() const { return started_; }
    std::int64_t originNs() const { return originNs_; }

    // Lays `count` bytes on the line as written at clock time `clockNs` with `line` in force.
    const WireWrite& send(std::int64_t clockNs, const LineState& line, const std::uint8_t* data,
                          std::size_t count);

    // Every write, empty ones included, in the order written (none while writes are not kept).
    const std::vector<WireWrite>& writes() const { return writes_; }

    // Whether send() keeps its writes (the default). Without, the line still times each write but
    // holds only the last one, so that it can run for ever in the same memory.
    void keepWrites(bool keep) { keepWrites_ = keep; }

    // When the line is idle again (end of the last character), ns from the origin.
    std::int64_t busyUntilNs() const { return busyUntilNs_; }

    // Forgets every write and the origin; whether writes are kept stays as it was.
    void clear();

private:
    bool started_ = false;
    std::int64_t originNs_ = 0;
    std::int64_t busyUntilNs_ = 0;
    std::vector<WireWrite> writes_;
    bool keepWrites_ = true;
    WireWrite last_; // the write sent last, while writes are not kept
};

} // namespace sus
