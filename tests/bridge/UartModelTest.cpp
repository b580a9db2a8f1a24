// SPDX-License-Identifier: Apache-2.0
#include "tests/bridge/UartModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace sus::bridge {
namespace {

constexpr std::int64_t kCharacterNs = 44'000; // 11 bits at 250000 baud

LineState at(std::uint32_t baud, Parity parity)
{
    LineState line;
    line.baudRate = baud;
    line.parity = parity;
    return line;
}

const LineState kMark = at(250000, Parity::Mark);
const LineState kSpace = at(250000, Parity::Space);
const LineState kBreak = at(64000, Parity::Space);

TEST(UartModel, BytesFollowEachOtherFromWhenTheyArriveAndChangesReachOnlyThoseNotStarted)
{
    UartModel uart(kMark);
    const std::vector<std::uint8_t> bytes{1, 2, 3};
    uart.enqueue(1'000'000, kMark, bytes.data(), bytes.size());
    EXPECT_EQ(uart.queueEmptyAtNs(0), 1'000'000 + 2 * kCharacterNs);

    // The change comes while the second byte shifts out: it goes on as it began, the third is caught.
    uart.change(1'000'000 + kCharacterNs + 10, kBreak);
    uart.advanceTo(10'000'000);
    ASSERT_EQ(uart.wire().size(), 2u);
    EXPECT_EQ(uart.wire()[0].startNs, 1'000'000);
    EXPECT_EQ(uart.wire()[0].bytes, (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(uart.wire()[1].startNs, 1'000'000 + 2 * kCharacterNs);
    EXPECT_EQ(uart.wire()[1].line.baudRate, 64000u);
    EXPECT_EQ(uart.caughtBytes(), 1u);
    EXPECT_EQ(uart.charactersCut(), 1u);
}

TEST(UartModel, AChangeAfterTheQueueEmptiedCatchesNothingAndAnUnchangedFramingIsNoChange)
{
    UartModel uart(kSpace);
    const std::uint8_t first = 0x55;
    uart.enqueue(0, kSpace, &first, 1);
    uart.change(kCharacterNs, kSpace); // the same framing again
    uart.change(kCharacterNs, kMark);
    const std::vector<std::uint8_t> rest{0, 1};
    uart.enqueue(kCharacterNs + 500, kMark, rest.data(), rest.size());
    uart.advanceTo(1'000'000);
    ASSERT_EQ(uart.wire().size(), 2u);
    EXPECT_EQ(uart.wire()[1].startNs, kCharacterNs + 500);
    EXPECT_EQ(uart.wire()[1].line.parity, Parity::Mark);
    EXPECT_EQ(uart.caughtBytes(), 0u);
    EXPECT_EQ(uart.charactersCut(), 0u);
}

TEST(UartModel, APurgeDropsWhatHasNotStarted)
{
    UartModel uart(kMark);
    const std::vector<std::uint8_t> bytes(10, 0xAA);
    uart.enqueue(0, kMark, bytes.data(), bytes.size());
    EXPECT_EQ(uart.purge(3 * kCharacterNs - 1), 7u);
    EXPECT_EQ(uart.bytesQueued(), 0u);
    ASSERT_EQ(uart.wire().size(), 1u);
    EXPECT_EQ(uart.wire()[0].bytes.size(), 3u);
}

} // namespace
} // namespace sus::bridge
