// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"
#include "tests/bridge/ReceivingUart.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sus::bridge {

// The termios of the bridge's tty as the program asked for it, in neither the C library's layout
// nor the kernel's: both requests and answers are converted at the call.
struct PortSettings {
    std::uint32_t iflag = 0;
    std::uint32_t oflag = 0;
    std::uint32_t cflag = 0;
    std::uint32_t lflag = 0;
    std::uint8_t lineDiscipline = 0;
    std::array<std::uint8_t, 19> controlChars{};
    std::uint32_t baud = 9600; // input and output alike: the program never splits them
};

// Kernel termios knowledge, in the one file that may include the kernel's headers:

// The rate a request's rate bits name; nothing when they say the rate is carried as a number.
std::optional<std::uint32_t> standardRate(std::uint32_t cflag);
// What the settings make of a character, and whether CTS flow control is on.
LineState lineStateOf(const PortSettings& settings);
// What the settings make the driver hand a reader of what the port receives.
ReceiveSettings receiveSettingsOf(const PortSettings& settings);
// "TIOCMGET" and the like, for counting calls by name.
std::string ioctlName(unsigned long request);

} // namespace sus::bridge
