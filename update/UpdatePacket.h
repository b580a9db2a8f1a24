// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace sus {

// Byte layout of an update packet on the line:
//   0x55, 0x00, type low, type high, payload (32 or 256 bytes), checksum high, checksum low.
namespace packet {
inline constexpr std::uint8_t kStartByte = 0x55;
inline constexpr std::size_t kTypeLowOffset = 2;
inline constexpr std::size_t kTypeHighOffset = 3;
inline constexpr std::size_t kPayloadOffset = 4;
inline constexpr std::size_t kChecksumLength = 2;
inline constexpr std::size_t kShortPayload = 32;
inline constexpr std::size_t kBlockPayload = 256;
inline constexpr std::size_t kShortPacketLength = kPayloadOffset + kShortPayload + kChecksumLength; // 38
inline constexpr std::size_t kBlockPacketLength = kPayloadOffset + kBlockPayload + kChecksumLength; // 262
// The wake-up frame's zero bytes are built in the same buffer.
inline constexpr std::size_t kWakeFrameLength = 100;
inline constexpr std::size_t kBufferSize = kBlockPacketLength;
} // namespace packet

enum class PacketType : std::uint16_t {
    StartOfFile = 0,
    Identify1 = 1,
    Identify2 = 2,
    Identify3 = 3,
    HeaderPacket = 4,
    EndOfFile = 5,
    FinishUpdate = 6,
    AbortUpdate = 7,
};
// Data blocks are numbered from 16 up to the largest 16-bit type.
inline constexpr std::uint32_t kFirstDataBlock = 16;
inline constexpr std::uint32_t kLastDataBlock = 0xFFFF;

// The number of the last data block a file of `fileSize` bytes needs; above kLastDataBlock the
// file cannot be sent.
std::uint64_t LastDataBlockFor(std::uint64_t fileSize);

// The largest update file whose blocks all get a 16-bit packet type: 16,773,263 bytes.
inline constexpr std::uint64_t kMaximumSendableFileSize =
    update_file::kHeaderSize + (std::uint64_t{kLastDataBlock} - kFirstDataBlock + 1) * packet::kBlockPayload -
    1;

// The identification texts of the handshake, sent without a terminator.
inline constexpr std::string_view kIdentText1 = "MORVANTE INTERNATIONAL CO.,LTD";
inline constexpr std::string_view kIdentText2 = "Morvante International Co., Ltd.";
inline constexpr std::string_view kIdentText3 = "Software Updata Online Ver=1.0  ";

// The one buffer in which every packet and wake-up frame is built and from which it is sent.
// A packet writes only its own bytes: command packets carry whatever payload the buffer still
// holds from what was built before, and fixtures may rely on exactly those bytes.
class PacketBuffer {
public:
    // Clears the wake-up frame's bytes and returns them.
    std::span<const std::uint8_t> buildWakeFrame();

    // StartOfFile, EndOfFile, FinishUpdate, AbortUpdate: header and checksum around the payload left in the
    // buffer.
    std::span<const std::uint8_t> buildCommand(PacketType type);

    // Identify1 carries the file's two handshake bytes after its 30-byte text.
    std::span<const std::uint8_t> buildIdentify1(std::uint8_t tail0, std::uint8_t tail1);
    std::span<const std::uint8_t> buildIdentify2();
    std::span<const std::uint8_t> buildIdentify3();

    // HeaderPacket: the file's header block, descrambled with `key`.
    std::span<const std::uint8_t> buildHeaderPacket(const UpdateImage& file, std::uint8_t key);

    // A data block of 256 file bytes from `offset` on, descrambled; positions past the file's end are 0.
    std::span<const std::uint8_t> buildDataBlock(std::uint16_t type, const UpdateImage& file,
                                                 std::size_t offset, std::uint8_t key);

    // The packet built last, unchanged, for its second sending.
    std::span<const std::uint8_t> lastPacket() const { return {bytes_.data(), lastLength_}; }

    const std::array<std::uint8_t, packet::kBufferSize>& bytes() const { return bytes_; }

private:
    std::span<const std::uint8_t> finish(std::uint16_t type, std::size_t payloadLength);
    std::span<const std::uint8_t> buildIdentify(PacketType type, std::string_view text);

    std::array<std::uint8_t, packet::kBufferSize> bytes_{};
    std::size_t lastLength_ = 0;
};

// The 16-bit sum of `bytes`, each taken unsigned; what overflows 16 bits is dropped.
std::uint16_t PacketChecksum(std::span<const std::uint8_t> bytes);

} // namespace sus
