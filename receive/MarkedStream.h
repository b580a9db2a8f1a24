// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/HeardItems.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace sus {

// The byte stream a receiving UART delivers when it checks mark parity and marks what it cannot
// take as it is (on Linux: PARENB | PARODD | CMSPAR, INPCK | PARMRK, breaks not ignored):
//   a character received right: the byte itself, an 0xFF doubled;
//   a character with a parity error (its ninth bit 0) or a framing error: 0xFF 0x00 byte;
//   a break: 0xFF 0x00 0x00.
// A zero with its ninth bit 0 is marked exactly as a break. On this line it only ever follows a
// break (the first zero of a wake-up frame), so a second break mark right after a break is read
// as that zero.
namespace marked {
inline constexpr std::uint8_t kEscape = 0xFF;
inline constexpr std::uint8_t kErrorMark = 0x00;
inline constexpr std::uint8_t kBreakValue = 0x00;
} // namespace marked

// The one rule of marking, for whatever plays the receiving UART.
void appendMarked(std::vector<std::uint8_t>& out, const WireCharacter& c);
void appendMarkedBreak(std::vector<std::uint8_t>& out);

// What the stream held besides characters received right.
struct MarkedStreamCounts {
    std::size_t bytesRead = 0;
    std::size_t characters = 0; // breaks not included
    std::size_t marked = 0;     // characters marked: ninth bit 0, or a framing error
    std::size_t breaks = 0;
    std::size_t badEscapes = 0;     // 0xFF followed by neither 0xFF nor 0x00: not a UART's marking
    bool endedInsideEscape = false; // the stream stopped after 0xFF or 0xFF 0x00
};

// Reads a marked stream piece by piece and tells `listener` of every break and character. The
// stream holds no times: each character is placed at the time its piece was read, or one
// character time after the one before it if that is later.
class MarkedStreamDecoder {
public:
    explicit MarkedStreamDecoder(CharacterListener& listener);

    void feed(std::span<const std::uint8_t> bytes, std::int64_t readNs);
    // The stream has ended.
    void finish();

    const MarkedStreamCounts& counts() const { return counts_; }

private:
    enum class Escape { None, Escaped, Marked };

    void character(std::uint8_t value, bool ninthBit, std::int64_t readNs);
    void markedZero(std::int64_t readNs);
    std::int64_t nextStartNs(std::int64_t readNs);

    CharacterListener& listener_;
    MarkedStreamCounts counts_;
    Escape escape_ = Escape::None;
    bool afterBreak_ = false;
    std::int64_t lastStartNs_;
};

} // namespace sus
