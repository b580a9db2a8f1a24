// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/HeardItems.h"
#include "sim/TxLine.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace sus::bridge {

// The termios input flags that decide what a receiving UART's driver hands a reader.
struct ReceiveSettings {
    bool markParity = true;    // PARENB | PARODD | CMSPAR: the ninth bit is checked as a parity bit of 1
    bool checkParity = true;   // INPCK
    bool markErrors = true;    // PARMRK
    bool ignoreErrors = false; // IGNPAR
    bool ignoreBreaks = false; // IGNBRK
};

// A receiving UART at 250000 baud on the line that `wire` went out on, with its Linux driver: the
// bytes a read() gets. A break (every bit low through the stop bit) is reported once; without
// mark parity the ninth bit is the stop bit, and a 0 there a framing error. `change` may alter
// each character as it crosses the line (the n-th, counting from 0), to put a fault on it.
std::vector<std::uint8_t> receivedStream(const std::vector<WireWrite>& wire, const ReceiveSettings& settings,
                                         const std::function<void(std::size_t, WireCharacter&)>& change = {});

} // namespace sus::bridge
