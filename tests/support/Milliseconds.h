// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Nanoseconds.h"

#include <cstdint>

namespace sus::test {

// A millisecond in the clocks' nanoseconds, as the tests write their times.
inline constexpr std::int64_t kMs = kNsPerMs;

} // namespace sus::test
