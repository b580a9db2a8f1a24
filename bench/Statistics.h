// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sus::bench {

// Order statistics of a set of durations in nanoseconds (nearest-rank percentiles).
struct Summary {
    std::size_t count = 0;
    double meanNs = 0;
    std::int64_t p50Ns = 0;
    std::int64_t p99Ns = 0;
    std::int64_t maxNs = 0;

    static Summary of(std::vector<std::int64_t> valuesNs);

    // "p50 0.052 ms  p99 1.013 ms  max 1.380 ms"
    std::string percentilesInMs() const;
};

// `ns` in milliseconds with three decimals.
std::string milliseconds(double ns);

} // namespace sus::bench
