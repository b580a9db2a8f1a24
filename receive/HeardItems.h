// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sus {

// What a receiver on the line makes of it: characters, grouped into frames (a break and what
// follows) and update packets. The same whether the characters were sampled off a simulated
// waveform or delivered by a receiving UART.

// One character as received.
struct WireCharacter {
    std::int64_t startNs = 0; // the falling edge of its start bit
    std::uint8_t value = 0;
    bool ninthBit = false;
    bool stopBitOk = true; // false: framing error
};

// A break and what follows it up to the next break or packet start.
struct WireFrame {
    std::int64_t breakStartNs = 0;
    std::int64_t breakLowNs = 0;
    std::int64_t markAfterBreakNs = -1; // break end to the first character; -1 with no character
    std::int64_t endNs = 0;             // end of the last character's stop bit, or of the break
    std::size_t firstCharacter = 0;     // the number of characters received before its first
    std::vector<std::uint8_t> bytes;
    std::vector<bool> ninthBits;

    // A wake-up frame: zeros only, the first with ninth bit 0 (a marked write).
    bool isWakeUp() const;
    // A DMX frame: a start code and slots, every ninth bit 1.
    bool isDmx() const;
    std::uint8_t startCode() const { return bytes.front(); }
};

// An update packet: the start byte with ninth bit 0, then the rest with ninth bit 1, laid out as
// in receive/ReceiverTable.h.
struct WirePacket {
    std::int64_t startNs = 0;
    std::int64_t endNs = 0;         // end of the last character received
    std::size_t firstCharacter = 0; // the number of characters received before its first
    std::uint16_t type = 0;
    std::vector<std::uint8_t> bytes; // every byte received, start byte first
    bool complete = false;           // all bytes of a valid header arrived, without a break or new start
    bool checksumOk = false;

    // The payload bytes received (all of them when complete).
    std::vector<std::uint8_t> payload() const;
};

// Told of each break and character as a receiver takes them off the line.
class CharacterListener {
public:
    virtual ~CharacterListener() = default;
    virtual void onBreak(std::int64_t startNs, std::int64_t endNs) = 0;
    virtual void onCharacter(const WireCharacter& c) = 0;
};

// Told of each frame and packet once it has ended, and of each character that belongs to
// neither, in the order they began.
class LineListener {
public:
    virtual ~LineListener() = default;
    virtual void onFrame(const WireFrame& frame) = 0;
    virtual void onPacket(const WirePacket& packet) = 0;
    virtual void onStray(const WireCharacter& character) = 0;
};

// The checksum of a packet's first `count` bytes, as a receiver computes it.
std::uint16_t fixtureChecksum(const std::uint8_t* bytes, std::size_t count);

} // namespace sus
