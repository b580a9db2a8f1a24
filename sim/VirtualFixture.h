#pragma once

#include "sim/TxLine.h"
#include "sim/Waveform.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sus {

// What a fixture's receiver needs: the line low longer than this is a break.
inline constexpr std::int64_t kBreakMinLowNs = 88'000;
// The fixture samples 9-bit characters (8 data bits, the ninth at the parity position) at this rate.
inline constexpr std::uint32_t kFixtureBaud = 250000;

// The update packet as the fixture checks it. These repeat on purpose what update/UpdatePacket.h
// lays down: the fixture is an independent check of the packets the program builds, so it shares
// none of the builder's constants or code.
inline constexpr std::uint8_t kPacketStartByte = 0x55;
inline constexpr std::size_t kPacketHeaderSize = 4; // start byte, 0, type low, type high
inline constexpr std::size_t kPacketChecksumSize = 2;
inline constexpr std::size_t kCommandPayloadSize = 32;
inline constexpr std::size_t kDataBlockPayloadSize = 256;
inline constexpr std::uint16_t kLastCommandType = 7;
inline constexpr std::uint16_t kFirstDataBlockType = 16;

// One character as sampled off the line.
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
    std::size_t firstCharacter = 0;     // index into FixtureLog::characters
    std::vector<std::uint8_t> bytes;
    std::vector<bool> ninthBits;

    // A wake-up frame: zeros only, the first with ninth bit 0 (a marked write).
    bool isWakeUp() const;
    // A DMX frame: a start code and slots, every ninth bit 1.
    bool isDmx() const;
    std::uint8_t startCode() const { return bytes.front(); }
};

// An update packet: 0x55 with ninth bit 0, then 0x00, the type (low byte first), a payload of 32
// bytes for types 0 to 7 or 256 for types from 16 on, and the 16-bit sum of all bytes before it,
// high byte first.
struct WirePacket {
    std::int64_t startNs = 0;
    std::int64_t endNs = 0;         // end of the last character received
    std::size_t firstCharacter = 0; // index into FixtureLog::characters
    std::uint16_t type = 0;
    std::vector<std::uint8_t> bytes; // every byte received, start byte first
    bool complete = false;           // all bytes of a valid header arrived, without a break or new start
    bool checksumOk = false;

    // The payload bytes received (all of them when complete).
    std::vector<std::uint8_t> payload() const;
};

// Everything the fixture heard, in time order.
struct FixtureLog {
    enum class Kind { Frame, Packet };
    struct Item {
        Kind kind;
        std::size_t index; // into frames or packets
        std::int64_t startNs;
    };

    std::vector<WireCharacter> characters;
    std::vector<WireFrame> frames;
    std::vector<WirePacket> packets;
    std::vector<Item> items;         // frames and packets as they began
    std::size_t strayCharacters = 0; // neither in a frame nor in a packet
    std::size_t framingErrors = 0;

    std::vector<const WireFrame*> wakeUpFrames() const;
    std::vector<const WireFrame*> dmxFrames() const;
};

// A receiver on the simulated line: decodes the rendered waveform, not the recorded writes, so
// that it hears what a fixture would.
class VirtualFixture {
public:
    static FixtureLog decode(const Waveform& wave);
    static FixtureLog listen(const TxLine& line) { return decode(renderWaveform(line.writes())); }
};

// The checksum of a packet's first `count` bytes, as the fixture computes it.
std::uint16_t fixtureChecksum(const std::uint8_t* bytes, std::size_t count);

} // namespace sus
