// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace sus {

// The update protocol as a receiver reads it. These repeat on purpose what update/ lays down for
// the packets it builds: whatever hears the line is an independent check of the program that
// sends, so a slip in the builder's table shows as a difference instead of agreeing with itself.
namespace heard {

// A packet: start byte (ninth bit 0), 0, type low, type high, payload, 16-bit sum high byte first.
inline constexpr std::uint8_t kStartByte = 0x55;
inline constexpr std::size_t kHeaderSize = 4;
inline constexpr std::size_t kChecksumSize = 2;
inline constexpr std::size_t kCommandPayloadSize = 32;
inline constexpr std::size_t kDataBlockPayloadSize = 256;

// A wake-up frame: a break, then this many zeros, the first with its ninth bit 0.
inline constexpr std::size_t kWakeUpZeros = 100;

// Packet types.
inline constexpr std::uint16_t kStartOfFile = 0;
inline constexpr std::uint16_t kIdentify1 = 1;
inline constexpr std::uint16_t kIdentify2 = 2;
inline constexpr std::uint16_t kIdentify3 = 3;
inline constexpr std::uint16_t kHeaderPacket = 4;
inline constexpr std::uint16_t kEndOfFile = 5;
inline constexpr std::uint16_t kFinishUpdate = 6;
inline constexpr std::uint16_t kAbortUpdate = 7;
inline constexpr std::uint16_t kLastCommandType = kAbortUpdate;
inline constexpr std::uint16_t kFirstDataBlockType = 16;
// Data blocks number up to the largest 16-bit type, so a file holds at most this many.
inline constexpr std::size_t kMaxDataBlocks = 0xFFFF - kFirstDataBlockType + 1;

// The header packet carries the file's version and revision at these payload positions.
inline constexpr std::size_t kVersionInHeader = 20;
inline constexpr std::size_t kRevisionInHeader = 21;

// The file's plain part that precedes the header block, and the header block: the image data
// starts this far into the file.
inline constexpr std::size_t kFileHeaderSize = 144;

// The payload size for a packet type; nothing for the types that are never sent.
std::optional<std::size_t> payloadSize(std::uint16_t type);

// The name of a packet type, as a report shows it ("data block" for the types from 16 on).
const char* packetTypeName(std::uint16_t type);

} // namespace heard
} // namespace sus
