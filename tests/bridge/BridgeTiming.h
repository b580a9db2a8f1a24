// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Nanoseconds.h"

#include <cstdint>

namespace sus::bridge {

// The fixed figures of the model bridge, those of a full-speed USB-to-UART bridge: USB moves data
// in 1 ms frames, so whatever crosses the bus takes about a frame.
//
// - A control request (line settings, modem lines, a transmitter status poll, enabling the port
//   on open, the purge on close) returns kControlRequestNs after it is issued. Its effect reaches
//   the UART at once: the host schedules control transfers ahead of bulk data within a frame, so a
//   settings change can overtake bytes written before it.
// - Written bytes reach the UART's transmit queue kDataTransferNs after the write call (the
//   driver's bulk transfer).
// - A drain first waits until the written bytes have crossed the bus, then polls the bridge's
//   transmit status every kDrainPollIntervalNs until its queue is empty. The queue is empty once
//   its last byte has moved into the shift register, while that byte still goes out.
// - Reading the settings back costs nothing: the kernel answers from memory.
inline constexpr std::int64_t kControlRequestNs = 1 * kNsPerMs;
inline constexpr std::int64_t kDataTransferNs = 1 * kNsPerMs;
inline constexpr std::int64_t kDrainPollIntervalNs = 1 * kNsPerMs;

} // namespace sus::bridge
