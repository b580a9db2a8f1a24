// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/AdapterFamily.h"
#include "receive/HeardItems.h"
#include "sim/TxLine.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace sus::bridge {

// The termios input flags that decide what a receiving UART's driver hands a reader, and the kind
// of driver it is.
struct ReceiveSettings {
    bool markParity = true;    // PARENB | PARODD | CMSPAR: the ninth bit is checked as a parity bit of 1
    bool checkParity = true;   // INPCK
    bool markErrors = true;    // PARMRK
    bool ignoreErrors = false; // IGNPAR
    bool ignoreBreaks = false; // IGNBRK
    // PerCharacter: each character's status, as the CP210x driver in event-insertion mode gives it.
    // PerUsbPacket: as the FTDI driver: one status byte per USB packet of up to 62 characters (sent
    // when full, or when the latency timer runs out), its parity or framing flag on every character
    // of the packet, and a break only on the packet's last character, and only when that is a zero.
    // NoParity: as the CH34x driver: the data alone, a break as the zero the receiver sampled.
    LineStatus status = LineStatus::PerCharacter;
};

// A receiving UART at 250000 baud on the line that `wire` went out on, with its Linux driver: the
// bytes a read() gets. A break (every bit low through the stop bit) is reported once; without
// mark parity the ninth bit is the stop bit, and a 0 there a framing error. `change` may alter
// each character as it crosses the line (the n-th, counting from 0), to put a fault on it.
std::vector<std::uint8_t> receivedStream(const std::vector<WireWrite>& wire, const ReceiveSettings& settings,
                                         const std::function<void(std::size_t, WireCharacter&)>& change = {});

} // namespace sus::bridge
