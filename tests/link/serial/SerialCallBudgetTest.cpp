// SPDX-License-Identifier: Apache-2.0
// What one tick costs on the real backend: the calls that reach the bridge per update packet,
// wake-up frame and DMX frame. Each is a USB request or a wait on a real bridge, inside a tick
// that must be done in time; the counts are deterministic, so they are asserted exactly.

#include "dmx/DmxUniverse.h"
#include "link/LineFrames.h"
#include "tests/link/LinkBench.h"
#include "tests/link/serial/SerialBridgeBench.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace sus::test {
namespace {

using bridge::CallCounts;

// The calls `step` made, the bridge's own work (control requests, status polls) left out: how
// many polls a drain takes depends on timing.
CallCounts callsOf(bridge::ModelBridge& bridge, const std::function<void()>& step)
{
    const CallCounts before = bridge.counts();
    step();
    CallCounts calls = bridge::countsSince(before, bridge.counts());
    calls.erase(bridge::kControlRequest);
    calls.erase(bridge::kStatusPoll);
    return calls;
}

class SerialCallBudget : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bench.link.OpenLink()); }

    // The same calls `times` times in a row, which are returned. The first step is not counted:
    // the link opens in space parity, so the first packet finds its start byte's parity set.
    CallCounts callsEveryTime(const std::function<void()>& step, int times = 3)
    {
        step();
        const CallCounts first = callsOf(bench.bridge, step);
        for (int i = 1; i < times; ++i)
            EXPECT_EQ(callsOf(bench.bridge, step), first) << "time " << i + 1;
        return first;
    }

    SerialBridgeBench bench;
};

// A change of parity is Qt's read and set of the termios (tcgetattr, tcsetattr); a change of a
// custom rate its read, set and read-back of termios2 (TCGETS2, TCSETS2, TCGETS2). Modem lines
// are never read while the link is open.

TEST_F(SerialCallBudget, AnUpdatePacketDrainsAndSetsTheParityTwiceAndWritesTwice)
{
    std::vector<std::uint8_t> packet(262, 0x11);
    packet[0] = 0x55;
    // The packet before is still on its way: space parity for the start byte waits for it.
    const CallCounts calls =
        callsEveryTime([&] { runOn(bench.link, [&](LineSteps& steps) { MarkedWrite(steps, packet); }); });
    EXPECT_EQ(calls, (CallCounts{{"tcdrain", 2}, {"tcgetattr", 2}, {"tcsetattr", 2}, {"write", 2}}));
}

TEST_F(SerialCallBudget, AWakeUpFrameChangesRateTwiceAndParityFourTimes)
{
    const std::vector<std::uint8_t> zeros(100, 0);
    // Break settings (rate and parity), its zero, mark parity, line rate; then the zeros: space
    // parity for the first, mark for the rest. The drains: before the break, after its zero, after
    // the first zero; where nothing was written since the last drain, none.
    const CallCounts calls =
        callsEveryTime([&] { runOn(bench.link, [&](LineSteps& steps) { WakeUpFrame(steps, zeros); }); });
    EXPECT_EQ(calls, (CallCounts{{"TCGETS2", 4},
                                 {"TCSETS2", 2},
                                 {"tcdrain", 3},
                                 {"tcgetattr", 4},
                                 {"tcsetattr", 4},
                                 {"write", 3}}));
}

TEST_F(SerialCallBudget, ADmxFrameChangesRateAndParityTwiceAndWritesThrice)
{
    const DmxFrameSlots frame{};
    // The break settings, its zero, the line settings, the start code, the levels.
    const CallCounts calls =
        callsEveryTime([&] { runOn(bench.link, [&](LineSteps& steps) { DmxFrame(steps, frame); }); });
    EXPECT_EQ(calls, (CallCounts{{"TCGETS2", 4},
                                 {"TCSETS2", 2},
                                 {"tcdrain", 2},
                                 {"tcgetattr", 2},
                                 {"tcsetattr", 2},
                                 {"write", 3}}));
    EXPECT_EQ(bench.bridge.bytesCaught(), 0u);
}

} // namespace
} // namespace sus::test
