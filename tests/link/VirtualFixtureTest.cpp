// SPDX-License-Identifier: Apache-2.0
#include "sim/VirtualFixture.h"
#include "tests/link/LinkBench.h"
#include "tests/link/WireTrace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace sus::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// The bytes of a packet with its checksum appended, as the sender lays them out.
std::vector<std::uint8_t> packet(std::uint16_t type, const std::vector<std::uint8_t>& payload)
{
    std::vector<std::uint8_t> bytes(4 + payload.size() + 2);
    bytes[0] = 0x55;
    bytes[2] = static_cast<std::uint8_t>(type & 0xFF);
    bytes[3] = static_cast<std::uint8_t>(type >> 8);
    std::ranges::copy(payload, bytes.begin() + 4);
    const std::size_t checksumAt = 4 + payload.size();
    const std::uint16_t sum = fixtureChecksum(bytes.data(), checksumAt);
    bytes[checksumAt] = static_cast<std::uint8_t>(sum >> 8);
    bytes[checksumAt + 1] = static_cast<std::uint8_t>(sum & 0xFF);
    return bytes;
}

void sendPacket(WireTrace& trace, const std::vector<std::uint8_t>& bytes)
{
    trace.character(bytes.front(), false);
    for (std::size_t i = 1; i < bytes.size(); ++i)
        trace.character(bytes[i]);
}

TEST(PacketChecksum, WorkedExamples)
{
    const auto start = packet(0, std::vector<std::uint8_t>(32, 0));
    EXPECT_EQ(start[36], 0x00);
    EXPECT_EQ(start[37], 0x55);
    EXPECT_EQ(packet(6, std::vector<std::uint8_t>(32, 0)).back(), 0x5B);
    // 0x55 + 0xFF + 0xFF + 256 * 0xFF = 0x10153: only the low 16 bits are kept.
    const auto block = packet(0xFFFF, std::vector<std::uint8_t>(256, 0xFF));
    EXPECT_EQ(block[260], 0x01);
    EXPECT_EQ(block[261], 0x53);
}

TEST(VirtualFixture, ABreakIsTheLineLowLongerThan88us)
{
    WireTrace trace;
    trace.idle(50'000).low(88'000).idle(50'000).low(88'001).idle(50'000);
    const FixtureLog log = VirtualFixture::decode(trace.wave);
    ASSERT_EQ(log.frames.size(), 1u);
    EXPECT_EQ(log.frames[0].breakStartNs, 188'000);
    EXPECT_EQ(log.frames[0].breakLowNs, 88'001);
    // The shorter low is a zero character whose stop bit never came.
    ASSERT_EQ(log.characters.size(), 1u);
    EXPECT_FALSE(log.characters[0].stopBitOk);
    EXPECT_EQ(log.framingErrors, 1u);
}

TEST(VirtualFixture, DmxFrameWithTimings)
{
    WireTrace trace;
    trace.idle(1'000)
        .dmxBreak()
        .idle(4'375)
        .characters({0, 1, 2, 255})
        .idle(1'000'000)
        .dmxBreak()
        .characters({0, 7});
    const FixtureLog log = VirtualFixture::decode(trace.wave);
    ASSERT_EQ(log.frames.size(), 2u);
    const WireFrame& frame = log.frames[0];
    EXPECT_EQ(frame.breakStartNs, 1'000);
    EXPECT_EQ(frame.breakLowNs, 156'250);
    EXPECT_EQ(frame.markAfterBreakNs, 20'000);
    EXPECT_THAT(frame.bytes, ElementsAre(0, 1, 2, 255));
    EXPECT_TRUE(frame.isDmx());
    EXPECT_FALSE(frame.isWakeUp());
    EXPECT_EQ(frame.startCode(), 0);
    EXPECT_EQ(log.characters[frame.firstCharacter].startNs, 1'000 + 156'250 + 20'000);
    EXPECT_EQ(frame.endNs, 1'000 + 156'250 + 20'000 + 4 * 44'000);
    EXPECT_THAT(log.frames[1].bytes, ElementsAre(0, 7));
    EXPECT_EQ(log.dmxFrames().size(), 2u);
    EXPECT_TRUE(log.packets.empty());
    EXPECT_EQ(log.strayCharacters, 0u);
}

TEST(VirtualFixture, WakeUpFrameThenPacketsWithChecksumsChecked)
{
    WireTrace trace;
    trace.idle(20'000).dmxBreak().character(0, false).characters({0, 0, 0}).idle(100'000);
    const auto start = packet(0, std::vector<std::uint8_t>(32, 0));
    auto corrupt = packet(4, std::vector<std::uint8_t>(32, 0x11));
    corrupt[10] ^= 0x01;
    std::vector<std::uint8_t> block(256);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i * 7);
    const auto data = packet(16, block);
    sendPacket(trace, start);
    trace.idle(20'000);
    sendPacket(trace, corrupt);
    trace.idle(333); // irregular gaps do not matter to a UART
    sendPacket(trace, data);

    const FixtureLog log = VirtualFixture::decode(trace.wave);
    ASSERT_EQ(log.wakeUpFrames().size(), 1u);
    EXPECT_THAT(log.frames[0].ninthBits, ElementsAre(false, true, true, true));
    EXPECT_FALSE(log.frames[0].isDmx());
    ASSERT_EQ(log.packets.size(), 3u);
    EXPECT_EQ(log.packets[0].type, 0);
    EXPECT_TRUE(log.packets[0].complete);
    EXPECT_TRUE(log.packets[0].checksumOk);
    EXPECT_THAT(log.packets[0].bytes, ElementsAreArray(start));
    EXPECT_EQ(log.packets[0].startNs, 20'000 + 171'875 + 4 * 44'000 + 100'000);
    EXPECT_EQ(log.packets[0].endNs, log.packets[0].startNs + 38 * 44'000);
    EXPECT_TRUE(log.packets[1].complete);
    EXPECT_FALSE(log.packets[1].checksumOk);
    EXPECT_EQ(log.packets[2].type, 16);
    EXPECT_TRUE(log.packets[2].checksumOk);
    EXPECT_THAT(log.packets[2].payload(), ElementsAreArray(block));
    ASSERT_EQ(log.items.size(), 4u);
    EXPECT_EQ(log.items[0].kind, FixtureLog::Kind::Frame);
    EXPECT_EQ(log.items[3].kind, FixtureLog::Kind::Packet);
    EXPECT_EQ(log.items[3].index, 2u);
}

TEST(VirtualFixture, PacketsCutShortAreIncomplete)
{
    WireTrace trace;
    const auto full = packet(5, std::vector<std::uint8_t>(32, 0));
    sendPacket(trace, {full.begin(), full.begin() + 10}); // a break comes before the end
    trace.dmxBreak();
    sendPacket(trace, {full.begin(), full.begin() + 5}); // a new start comes before the end
    sendPacket(trace, full);
    sendPacket(trace, {0x55, 0x00, 0x09, 0x00, 0x01, 0x02}); // types 8 to 15 are never sent
    trace.character(0x33, false);                            // a ninth bit 0 that starts nothing

    const FixtureLog log = VirtualFixture::decode(trace.wave);
    ASSERT_EQ(log.packets.size(), 4u);
    EXPECT_FALSE(log.packets[0].complete);
    EXPECT_EQ(log.packets[0].bytes.size(), 10u);
    EXPECT_FALSE(log.packets[1].complete);
    EXPECT_TRUE(log.packets[2].complete);
    EXPECT_TRUE(log.packets[2].checksumOk);
    EXPECT_FALSE(log.packets[3].complete);
    EXPECT_EQ(log.packets[3].bytes.size(), 4u);
    EXPECT_EQ(log.strayCharacters, 3u); // two bytes after the bad type, the lone 0x33
    EXPECT_TRUE(log.frames[0].bytes.empty());
}

// The frames the system sends, rendered by the simulated controller, heard by the fixture.
TEST(VirtualFixture, HearsTheLinksFramingOnTheSimulatedWire)
{
    LinkBench bench;
    bench.openController();
    std::vector<std::uint8_t> zeros(100, 0);
    std::vector<std::uint8_t> universe(513, 0);
    universe[512] = 0x7F;

    bench.clock.advanceBy(20'000'000);
    runOn(bench.link, [&](LineSteps& steps) { WakeUpFrame(steps, zeros); });
    bench.clock.advanceBy(100'000'000);
    const auto start = packet(0, std::vector<std::uint8_t>(32, 0));
    bench.markedWrite(start);
    bench.clock.advanceBy(60'000'000);
    runOn(bench.link, [&](LineSteps& steps) { DmxFrame(steps, universe); });

    const FixtureLog log = VirtualFixture::listen(bench.devices.txLine());
    ASSERT_EQ(log.items.size(), 3u);
    ASSERT_EQ(log.wakeUpFrames().size(), 1u);
    EXPECT_EQ(log.frames[0].bytes.size(), 100u);
    EXPECT_EQ(log.frames[0].breakStartNs, 20'000'000);
    EXPECT_EQ(log.frames[0].breakLowNs, 156'250);
    EXPECT_EQ(log.frames[0].markAfterBreakNs, 15'625);
    ASSERT_EQ(log.packets.size(), 1u);
    EXPECT_TRUE(log.packets[0].checksumOk);
    EXPECT_EQ(log.packets[0].startNs, 120'000'000);
    ASSERT_EQ(log.dmxFrames().size(), 1u);
    EXPECT_EQ(log.dmxFrames()[0]->bytes, universe);
    EXPECT_EQ(log.dmxFrames()[0]->breakStartNs, 180'000'000);
    EXPECT_EQ(log.dmxFrames()[0]->endNs - log.dmxFrames()[0]->breakStartNs, 171'875 + 513 * 44'000);
    EXPECT_EQ(log.framingErrors, 0u);
    EXPECT_EQ(log.strayCharacters, 0u);
}

} // namespace
} // namespace sus::test
