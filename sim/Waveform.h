// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/TxLine.h"

#include <cstdint>
#include <vector>

namespace sus {

// The level of a serial line over time: high (idle) from t = 0, then a change at every edge, so the
// edges alternate: falling, rising, falling... Times are ns from the link's open.
class Waveform {
public:
    // Sets the level from `timeNs` on; times must not go back. A pulse of zero width vanishes.
    void setLevel(std::int64_t timeNs, bool level);
    // Holds `level` for `durationNs` from the end of what is known (builds hand-made traces).
    void hold(bool level, std::int64_t durationNs);
    // The level is known up to here; it stays as it is after the last edge.
    void extendTo(std::int64_t timeNs);

    const std::vector<std::int64_t>& edges() const { return edges_; }
    static bool levelAfterEdge(std::size_t index) { return index % 2 == 1; }
    bool level() const { return edges_.size() % 2 == 0; }
    std::int64_t endNs() const { return endNs_; }

private:
    std::vector<std::int64_t> edges_;
    std::int64_t endNs_ = 0;
};

// The line as the UART drives it for these writes: every character bit by bit, idle high between.
Waveform renderWaveform(const std::vector<WireWrite>& writes);

} // namespace sus
