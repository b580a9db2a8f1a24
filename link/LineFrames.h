// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/LineSteps.h"
#include "link/LineTiming.h"

#include <cstdint>
#include <span>

namespace sus {

// The slow rate whose zero byte makes a break; the DMX/update rate is the line's (link/LineTiming.h).
inline constexpr std::uint32_t kBreakBaud = 64000;

// The byte whose ten low bit times at the slow rate are the break.
inline constexpr std::uint8_t kBreakZero = 0;

// How a break's zero byte is sent: DMX output writes it plainly; a wake-up frame sends it as a
// one-byte marked write.
enum class BreakForm { PlainWrite, MarkedWrite };

// The shapes of everything the system puts on the line, each as the steps that send it, appended
// to `steps`. The one place where a frame's order of reads, changes and writes is written down: every
// change of rate or parity starts from the line state last read, and the link's backend applies it
// only to bytes written after it.

// `bytes`: the first with parity bit 0 (space), the others with parity bit 1 (mark),
// at the rate the line has; the line is left in mark parity. Every update packet goes out so. No bytes,
// no steps.
void MarkedWrite(LineSteps& steps, std::span<const std::uint8_t> bytes);

// The DMX break: the zero byte at 64000 baud with space parity (156.25 us low), then the line back
// at 250000 baud with mark parity.
void BreakByte(LineSteps& steps, BreakForm form);

// A DMX512 frame: the break, then `slots` (the start code, then the levels) at mark parity: the start
// code alone, mark parity set once more, the levels in one write.
void DmxFrame(LineSteps& steps, std::span<const std::uint8_t> slots);

// A wake-up frame: the break in its marked form, then `zeros` as one marked write.
void WakeUpFrame(LineSteps& steps, std::span<const std::uint8_t> zeros);

} // namespace sus
