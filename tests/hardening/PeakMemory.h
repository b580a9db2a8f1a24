// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace sus::test {

// The most memory the process has had resident so far, in bytes: a file read whole into memory
// shows here, however briefly it was held.
std::int64_t peakResidentBytes();

// The bytes the program has allocated and not yet freed (the sanitizer's count in sanitizer builds,
// the C library's otherwise): what a soak watches for growth.
std::int64_t heapBytesInUse();

} // namespace sus::test
