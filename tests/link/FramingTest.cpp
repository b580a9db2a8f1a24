// SPDX-License-Identifier: Apache-2.0
#include "link/LineTiming.h"
#include "tests/link/LinkBench.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>

namespace sus::test {
namespace {

using Op = SimulatedController::Op;
using Call = SimulatedController::Call;

// One call as the framing tests look at it: the operation, and the rate and parity asked for or
// the byte count written.
struct Step {
    Op op;
    std::uint32_t baud = 0;
    Parity parity = Parity::None;
    std::size_t bytes = 0;
    friend bool operator==(const Step&, const Step&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Step& s)
    {
        return os << "op" << static_cast<int>(s.op) << " " << s.baud << " p" << static_cast<int>(s.parity)
                  << " n" << s.bytes;
    }
};

Step get()
{
    return {Op::GetLineState};
}
Step set(std::uint32_t baud, Parity parity)
{
    return {Op::SetLineState, baud, parity};
}
Step write(std::size_t bytes)
{
    return {.op = Op::Write, .bytes = bytes};
}

std::vector<Step> steps(const LinkBench& bench)
{
    std::vector<Step> result;
    for (const Call& call : bench.devices.calls()) {
        EXPECT_EQ(call.handle, bench.link.handle()) << "every step goes to the open handle";
        if (call.op == Op::SetLineState)
            result.push_back(set(call.line.baudRate, call.line.parity));
        else if (call.op == Op::Write)
            result.push_back(write(call.byteCount));
        else
            result.push_back({call.op});
    }
    return result;
}

struct WireSummary {
    std::int64_t startNs;
    std::uint32_t baud;
    Parity parity;
    std::vector<std::uint8_t> bytes;
    friend bool operator==(const WireSummary&, const WireSummary&) = default;
};

std::vector<WireSummary> wire(const LinkBench& bench)
{
    std::vector<WireSummary> result;
    for (const WireWrite& w : bench.devices.txLine().writes())
        result.push_back({w.startNs, w.line.baudRate, w.line.parity, w.bytes});
    return result;
}

constexpr std::int64_t kChar250k = 44'000; // 11 bits of 4000 ns
constexpr std::int64_t kChar64k = 171'875; // 11 bits of 15625 ns

TEST(LineTiming, BitAndCharacterTimesAreExact)
{
    EXPECT_EQ(bitsDurationNs(1, kLineBaud), 4000);
    EXPECT_EQ(bitsDurationNs(1, kBreakBaud), 15625);
    EXPECT_EQ(bitsDurationNs(10, kBreakBaud), 156'250);
    LineState line{.baudRate = kLineBaud, .parity = Parity::Mark};
    EXPECT_EQ(characterDurationNs(line), kChar250k);
    EXPECT_TRUE(characterBitLevel(line, 0x00, 9));
    EXPECT_FALSE(characterBitLevel(line, 0x01, 0));
    EXPECT_TRUE(characterBitLevel(line, 0x01, 1));
    EXPECT_FALSE(characterBitLevel(line, 0x01, 2));
    EXPECT_TRUE(characterBitLevel(line, 0x00, 10));
    line.parity = Parity::Space;
    EXPECT_FALSE(characterBitLevel(line, 0xFF, 9));
    line.parity = Parity::Even;
    EXPECT_TRUE(characterBitLevel(line, 0x01, 9));
    line.parity = Parity::Odd;
    EXPECT_TRUE(characterBitLevel(line, 0x03, 9));
}

TEST(Framing, MarkedWriteStepsAndWire)
{
    LinkBench bench;
    bench.openController();
    const std::array<std::uint8_t, 3> bytes{0x55, 0x00, 0x01};
    bench.markedWrite(bytes);
    EXPECT_THAT(steps(bench), ::testing::ElementsAre(get(), set(kLineBaud, Parity::Space), write(1),
                                                     set(kLineBaud, Parity::Mark), write(2)));
    EXPECT_THAT(wire(bench),
                ::testing::ElementsAre(WireSummary{0, kLineBaud, Parity::Space, {0x55}},
                                       WireSummary{kChar250k, kLineBaud, Parity::Mark, {0x00, 0x01}}));
}

TEST(Framing, MarkedWriteOfOneByteLeavesMarkAndWritesNothingMore)
{
    LinkBench bench;
    bench.openController();
    const std::uint8_t byte = 0x55;
    bench.markedWrite(std::span(&byte, 1));
    EXPECT_THAT(steps(bench), ::testing::ElementsAre(get(), set(kLineBaud, Parity::Space), write(1),
                                                     set(kLineBaud, Parity::Mark), write(0)));
    EXPECT_EQ(bench.link.lineSettings().parity, Parity::Mark);
}

TEST(Framing, TwoMarkedWritesInARowKeepTheRateAndFollowWithoutGap)
{
    LinkBench bench;
    bench.openController();
    const std::array<std::uint8_t, 2> first{0x55, 0xAA};
    const std::array<std::uint8_t, 2> second{0x55, 0x0F};
    bench.clock.advanceBy(1'000'000);
    bench.markedWrite(first);
    bench.markedWrite(second);
    const std::int64_t t0 = 1'000'000;
    EXPECT_THAT(wire(bench),
                ::testing::ElementsAre(WireSummary{t0, kLineBaud, Parity::Space, {0x55}},
                                       WireSummary{t0 + kChar250k, kLineBaud, Parity::Mark, {0xAA}},
                                       WireSummary{t0 + 2 * kChar250k, kLineBaud, Parity::Space, {0x55}},
                                       WireSummary{t0 + 3 * kChar250k, kLineBaud, Parity::Mark, {0x0F}}));
    for (const Step& step : steps(bench)) {
        if (step.op == Op::SetLineState) {
            EXPECT_EQ(step.baud, kLineBaud);
        }
    }
}

TEST(Framing, BreakByteInBothFormsEndsAt250000Mark)
{
    const std::uint8_t zero = 0;
    LinkBench plain;
    plain.openController();
    plain.breakByte(BreakForm::PlainWrite);
    EXPECT_THAT(steps(plain), ::testing::ElementsAre(get(), set(kBreakBaud, Parity::Space), write(1),
                                                     set(kLineBaud, Parity::Mark)));

    LinkBench marked;
    marked.openController();
    marked.breakByte(BreakForm::MarkedWrite);
    EXPECT_THAT(steps(marked), ::testing::ElementsAre(get(), set(kBreakBaud, Parity::Space), get(),
                                                      set(kBreakBaud, Parity::Space), write(1),
                                                      set(kBreakBaud, Parity::Mark), write(0),
                                                      set(kLineBaud, Parity::Mark)));

    // A DMX frame's start: the break byte, then the start code right after its stop bit.
    plain.write({&zero, 1});
    EXPECT_THAT(wire(plain), ::testing::ElementsAre(WireSummary{0, kBreakBaud, Parity::Space, {0}},
                                                    WireSummary{kChar64k, kLineBaud, Parity::Mark, {0}}));
}

TEST(Framing, BreakByteFromAnyLineStateEndsAt250000Mark)
{
    const std::array<LineState, 4> before{
        LineState{.baudRate = 9600, .parity = Parity::None},
        LineState{.baudRate = kBreakBaud, .parity = Parity::Space},
        LineState{.baudRate = 115200, .parity = Parity::Even, .stopBits = 2},
        LineState{.baudRate = kLineBaud, .parity = Parity::Mark}};
    for (const LineState& state : before) {
        LinkBench bench;
        bench.openController();
        ASSERT_TRUE(bench.devices.setLineState(bench.link.handle(), state));
        bench.breakByte(BreakForm::PlainWrite);
        LineState after;
        ASSERT_TRUE(bench.devices.getLineState(bench.link.handle(), after));
        EXPECT_EQ(after.baudRate, kLineBaud);
        EXPECT_EQ(after.parity, Parity::Mark);
        EXPECT_EQ(after.stopBits, state.stopBits) << "other members keep what was read";
    }
}

TEST(Framing, AWriteStartsAfterThePreviousCharacterOrNow)
{
    LinkBench bench;
    bench.openController();
    const std::array<std::uint8_t, 10> bytes{};
    bench.write(bytes);             // busy until 10 characters at the opening rate
    bench.clock.advanceBy(100'000); // still busy
    bench.write({bytes.data(), 1});
    bench.clock.advanceBy(1'000'000); // idle by now
    bench.write({bytes.data(), 1});
    const auto& writes = bench.devices.txLine().writes();
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[1].startNs, 10 * kChar250k);
    EXPECT_EQ(writes[2].startNs, 1'100'000);
}

TEST(Framing, TimeZeroIsTheLinkOpen)
{
    LinkBench bench;
    bench.clock.advanceBy(7'000'000);
    bench.devices.attach(controllerAt("ttyUSB0"));
    bench.link.discoverController();
    bench.clock.advanceBy(3'000'000);
    bench.link.OpenLink();
    bench.clock.advanceBy(20'000'000);
    const std::uint8_t byte = 0x55;
    bench.markedWrite(std::span(&byte, 1));
    EXPECT_EQ(bench.devices.txLine().writes().front().startNs, 20'000'000);
}

} // namespace
} // namespace sus::test
