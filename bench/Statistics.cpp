// SPDX-License-Identifier: Apache-2.0
#include "bench/Statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace sus::bench {

namespace {

std::int64_t nearestRank(const std::vector<std::int64_t>& sorted, double fraction)
{
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

} // namespace

Summary Summary::of(std::vector<std::int64_t> valuesNs)
{
    Summary s;
    s.count = valuesNs.size();
    if (valuesNs.empty())
        return s;
    std::sort(valuesNs.begin(), valuesNs.end());
    s.meanNs = std::accumulate(valuesNs.begin(), valuesNs.end(), 0.0) / static_cast<double>(s.count);
    s.p50Ns = nearestRank(valuesNs, 0.50);
    s.p99Ns = nearestRank(valuesNs, 0.99);
    s.maxNs = valuesNs.back();
    return s;
}

std::string Summary::percentilesInMs() const
{
    return "p50 " + milliseconds(static_cast<double>(p50Ns)) + " ms  p99 " +
           milliseconds(static_cast<double>(p99Ns)) + " ms  max " + milliseconds(static_cast<double>(maxNs)) +
           " ms";
}

std::string milliseconds(double ns)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", ns / 1e6);
    return text;
}

} // namespace sus::bench
