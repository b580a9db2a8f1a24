// SPDX-License-Identifier: Apache-2.0
#include "update/UpdatePacket.h"

#include <algorithm>
#include <numeric>

namespace sus {

using namespace packet;

std::uint64_t LastDataBlockFor(std::uint64_t fileSize)
{
    // Blocks go out while the position is at most the size, so a data length that is a multiple of
    // 256 (zero included) gets one more block of zeros.
    const std::uint64_t dataLength =
        fileSize > update_file::kHeaderSize ? fileSize - update_file::kHeaderSize : 0;
    return kFirstDataBlock + dataLength / kBlockPayload;
}

std::uint16_t PacketChecksum(std::span<const std::uint8_t> bytes)
{
    // Summed in 32 bits: a 262-byte packet cannot overflow that before the low 16 bits are kept.
    const std::uint32_t sum = std::accumulate(bytes.begin(), bytes.end(), std::uint32_t{0});
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

std::span<const std::uint8_t> PacketBuffer::buildWakeFrame()
{
    std::fill_n(bytes_.begin(), kWakeFrameLength, std::uint8_t{0});
    lastLength_ = kWakeFrameLength;
    return lastPacket();
}

std::span<const std::uint8_t> PacketBuffer::finish(std::uint16_t type, std::size_t payloadLength)
{
    bytes_[0] = kStartByte;
    bytes_[1] = 0;
    bytes_[kTypeLowOffset] = static_cast<std::uint8_t>(type & 0xFF);
    bytes_[kTypeHighOffset] = static_cast<std::uint8_t>(type >> 8);
    const std::size_t checksumOffset = kPayloadOffset + payloadLength;
    const std::uint16_t checksum = PacketChecksum({bytes_.data(), checksumOffset});
    bytes_[checksumOffset] = static_cast<std::uint8_t>(checksum >> 8);
    bytes_[checksumOffset + 1] = static_cast<std::uint8_t>(checksum & 0xFF);
    lastLength_ = checksumOffset + kChecksumLength;
    return lastPacket();
}

std::span<const std::uint8_t> PacketBuffer::buildCommand(PacketType type)
{
    return finish(static_cast<std::uint16_t>(type), kShortPayload);
}

std::span<const std::uint8_t> PacketBuffer::buildIdentify(PacketType type, std::string_view text)
{
    std::copy(text.begin(), text.end(), bytes_.begin() + kPayloadOffset);
    return finish(static_cast<std::uint16_t>(type), kShortPayload);
}

std::span<const std::uint8_t> PacketBuffer::buildIdentify1(std::uint8_t tail0, std::uint8_t tail1)
{
    static_assert(kIdentText1.size() + 2 == kShortPayload);
    bytes_[kPayloadOffset + kIdentText1.size()] = tail0;
    bytes_[kPayloadOffset + kIdentText1.size() + 1] = tail1;
    return buildIdentify(PacketType::Identify1, kIdentText1);
}

std::span<const std::uint8_t> PacketBuffer::buildIdentify2()
{
    static_assert(kIdentText2.size() == kShortPayload);
    return buildIdentify(PacketType::Identify2, kIdentText2);
}

std::span<const std::uint8_t> PacketBuffer::buildIdentify3()
{
    static_assert(kIdentText3.size() == kShortPayload);
    return buildIdentify(PacketType::Identify3, kIdentText3);
}

std::span<const std::uint8_t> PacketBuffer::buildHeaderPacket(const UpdateImage& file, std::uint8_t key)
{
    const auto header = file.headerBlock(key);
    static_assert(header.size() == kShortPayload);
    std::copy(header.begin(), header.end(), bytes_.begin() + kPayloadOffset);
    return finish(static_cast<std::uint16_t>(PacketType::HeaderPacket), kShortPayload);
}

std::span<const std::uint8_t> PacketBuffer::buildDataBlock(std::uint16_t type, const UpdateImage& file,
                                                           std::size_t offset, std::uint8_t key)
{
    file.copyDescrambled(offset, {bytes_.data() + kPayloadOffset, kBlockPayload}, key);
    return finish(type, kBlockPayload);
}

} // namespace sus
