// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace sus {

// The USB identity of the controller: the only device the system opens as its link.
inline constexpr std::uint16_t kControllerVendorId = 0x10C4;
inline constexpr std::uint16_t kControllerProductId = 0xFF01;

} // namespace sus
