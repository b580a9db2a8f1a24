// SPDX-License-Identifier: Apache-2.0
#include "update/UpdatePacket.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace sus {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Bytes = std::vector<std::uint8_t>;

Bytes Of(std::span<const std::uint8_t> s)
{
    return {s.begin(), s.end()};
}

TEST(UpdatePacket, CommandPacketsOnAFreshBufferMatchTheWorkedExamples)
{
    PacketBuffer buffer;
    Bytes start = Of(buffer.buildCommand(PacketType::StartOfFile));
    ASSERT_EQ(start.size(), 38u);
    Bytes expected(38, 0);
    expected[0] = 0x55;
    expected[37] = 0x55;
    EXPECT_EQ(start, expected);

    Bytes finish = Of(buffer.buildCommand(PacketType::FinishUpdate));
    EXPECT_THAT(Bytes(finish.begin(), finish.begin() + 4), ElementsAre(0x55, 0x00, 0x06, 0x00));
    EXPECT_THAT(Bytes(finish.end() - 2, finish.end()), ElementsAre(0x00, 0x5B));
}

TEST(UpdatePacket, CommandPacketsCarryThePayloadLeftByThePreviousPacket)
{
    PacketBuffer buffer;
    Bytes file(144 + 256);
    for (std::size_t i = 0; i < file.size(); ++i)
        file[i] = static_cast<std::uint8_t>(i * 7);
    const std::uint8_t key = 0x3C;
    Bytes block = Of(buffer.buildDataBlock(16, UpdateImage(file), 144, key));
    Bytes end = Of(buffer.buildCommand(PacketType::EndOfFile));
    ASSERT_EQ(end.size(), 38u);
    EXPECT_EQ(Bytes(end.begin() + 4, end.begin() + 36), Bytes(block.begin() + 4, block.begin() + 36));
    EXPECT_EQ(end[2], 5);
    const std::uint16_t sum = PacketChecksum({end.data(), 36});
    EXPECT_EQ(end[36], sum >> 8);
    EXPECT_EQ(end[37], sum & 0xFF);

    // The wake-up frame clears what the next StartOfFile carries.
    buffer.buildWakeFrame();
    Bytes start = Of(buffer.buildCommand(PacketType::StartOfFile));
    EXPECT_EQ(Bytes(start.begin() + 4, start.begin() + 36), Bytes(32, 0));
}

TEST(UpdatePacket, IdentificationTextsAreSentByteForByte)
{
    PacketBuffer buffer;
    Bytes id1 = Of(buffer.buildIdentify1(0xAB, 0xCD));
    EXPECT_EQ(std::string(id1.begin() + 4, id1.begin() + 34), "MORVANTE INTERNATIONAL CO.,LTD");
    EXPECT_EQ(id1[34], 0xAB);
    EXPECT_EQ(id1[35], 0xCD);
    EXPECT_EQ(id1[2], 1);

    Bytes id2 = Of(buffer.buildIdentify2());
    EXPECT_EQ(std::string(id2.begin() + 4, id2.begin() + 36), "Morvante International Co., Ltd.");
    Bytes id3 = Of(buffer.buildIdentify3());
    EXPECT_EQ(std::string(id3.begin() + 4, id3.begin() + 36), "Software Updata Online Ver=1.0  ");
    EXPECT_EQ(id3[2], 3);
}

TEST(UpdatePacket, HeaderPacketIsTheDescrambledHeaderBlock)
{
    PacketBuffer buffer;
    Bytes file(144, 0);
    for (std::size_t i = 112; i < 144; ++i)
        file[i] = static_cast<std::uint8_t>(i);
    Bytes header = Of(buffer.buildHeaderPacket(UpdateImage(file), 0xFF));
    ASSERT_EQ(header.size(), 38u);
    EXPECT_EQ(header[2], 4);
    for (std::size_t i = 0; i < 32; ++i)
        EXPECT_EQ(header[4 + i], static_cast<std::uint8_t>((112 + i) ^ 0xFF)) << i;
}

TEST(UpdatePacket, DataBlockPadsPastTheEndWithPlainZerosAndNumbersLittleEndian)
{
    PacketBuffer buffer;
    Bytes file(410, 0x11); // a block from offset 400 holds the last 10 bytes
    Bytes block = Of(buffer.buildDataBlock(256, UpdateImage(file), 400, 0x22));
    ASSERT_EQ(block.size(), 262u);
    EXPECT_THAT(Bytes(block.begin(), block.begin() + 4), ElementsAre(0x55, 0x00, 0x00, 0x01));
    EXPECT_EQ(Bytes(block.begin() + 4, block.begin() + 14), Bytes(10, 0x33));
    EXPECT_EQ(Bytes(block.begin() + 14, block.begin() + 260), Bytes(246, 0x00));
    const std::uint16_t sum = 0x55 + 0x01 + 10 * 0x33;
    EXPECT_THAT(Bytes(block.end() - 2, block.end()), ElementsAre(sum >> 8, sum & 0xFF));
}

TEST(UpdatePacket, ChecksumKeepsOnlyTheLow16BitsOfTheSum)
{
    PacketBuffer buffer;
    Bytes file(144 + 256, 0xFF);
    Bytes block = Of(buffer.buildDataBlock(0xFFFF, UpdateImage(file), 144, 0x00));
    const std::uint32_t fullSum = 0x55 + 0xFF + 0xFF + 256 * 0xFF; // 65878, above 65535
    EXPECT_THAT(Bytes(block.end() - 2, block.end()),
                ElementsAreArray({static_cast<std::uint8_t>((fullSum >> 8) & 0xFF),
                                  static_cast<std::uint8_t>(fullSum & 0xFF)}));
    EXPECT_EQ(Of(buffer.lastPacket()), block);
}

} // namespace
} // namespace sus
