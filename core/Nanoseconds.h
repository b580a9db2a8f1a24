// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace sus {

// Times are integer nanoseconds throughout: the line's bit times are exact in them, and clocks,
// timers and captures count in them. The one place for the units.
inline constexpr std::int64_t kNsPerMs = 1'000'000;
inline constexpr std::int64_t kNsPerSecond = 1'000'000'000;

} // namespace sus
