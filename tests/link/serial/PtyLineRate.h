// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>

namespace sus::test {

// The output rate the kernel holds for the terminal open as `fd`, custom rates included; 0 when
// unreadable.
std::uint32_t terminalOutputBaud(int fd);

} // namespace sus::test
