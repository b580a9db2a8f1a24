// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Nanoseconds.h"
#include "link/DeviceLayer.h"

#include <cstdint>

namespace sus {

// How a serial character occupies the line: the one place for bit times and character shapes.
// Times are integer nanoseconds; at the system's rates they are exact (4000 ns a bit at 250000
// baud, 15625 ns at 64000 baud).

// Duration of `bits` bit times at `baud`, computed from the start of a run of bits so that
// rounding never accumulates.
constexpr std::int64_t bitsDurationNs(std::int64_t bits, std::uint32_t baud)
{
    return bits * kNsPerSecond / baud;
}

// The line's rate: DMX frames and update packets alike.
inline constexpr std::uint32_t kLineBaud = 250000;

// The character a fixture receives at the line's rate: 8 data bits, a ninth in the parity bit's
// place (mark parity sends it as 1, space as 0) and one stop bit.
inline constexpr LineState kFixtureCharacter{
    .baudRate = kLineBaud, .dataBits = 8, .parity = Parity::Mark, .stopBits = 1};

// Start bit, data bits, the parity bit when there is one, stop bits.
constexpr int characterBits(const LineState& line)
{
    return 1 + line.dataBits + (line.parity == Parity::None ? 0 : 1) + line.stopBits;
}

// Bit positions in a character, the start bit being 0: the parity bit follows the data bits, the
// first stop bit follows the parity bit when there is one.
constexpr int parityBitIndex(const LineState& line)
{
    return line.dataBits + 1;
}

constexpr int stopBitIndex(const LineState& line)
{
    return characterBits(line) - line.stopBits;
}

// The middle of bit `index` from the start of its character, where a receiver samples it.
constexpr std::int64_t bitCentreNs(const LineState& line, int index)
{
    return bitsDurationNs(2 * index + 1, line.baudRate) / 2;
}

constexpr std::int64_t characterDurationNs(const LineState& line)
{
    return bitsDurationNs(characterBits(line), line.baudRate);
}

// The level of the parity bit for `value` (MARK 1, SPACE 0, even/odd over the data bits).
constexpr bool parityBitLevel(Parity parity, std::uint8_t value, int dataBits)
{
    int ones = 0;
    for (int bit = 0; bit < dataBits; ++bit)
        ones += (value >> bit) & 1;
    switch (parity) {
    case Parity::Mark:
        return true;
    case Parity::Even:
        return ones % 2 == 1;
    case Parity::Odd:
        return ones % 2 == 0;
    case Parity::Space:
    case Parity::None:
        break;
    }
    return false;
}

// The level of bit `index` (0 = start bit) of a character holding `value`.
constexpr bool characterBitLevel(const LineState& line, std::uint8_t value, int index)
{
    if (index == 0)
        return false;
    if (index <= line.dataBits)
        return ((value >> (index - 1)) & 1) != 0;
    if (index == parityBitIndex(line) && line.parity != Parity::None)
        return parityBitLevel(line.parity, value, line.dataBits);
    return true;
}

} // namespace sus
