// SPDX-License-Identifier: Apache-2.0
#include "dmx/DmxOutputLoop.h"
#include "core/Nanoseconds.h"
#include "dmx/DmxOutputView.h"
#include "dmx/DmxUniverse.h"
#include "sim/VirtualFixture.h"
#include "tests/dmx/FakeOutputBox.h"
#include "tests/link/LinkBench.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace sus::test {
namespace {

using Op = SimulatedController::Op;
using ::testing::Each;
using ::testing::ElementsAre;

constexpr std::int64_t kMs = kNsPerMs;
constexpr std::int64_t kPeriodNs = kDmxFramePeriodMs * kMs;

// DMX output over a simulated controller found at start-up, on virtual time.
class DmxOutputLoopTest : public ::testing::Test {
protected:
    DmxOutputLoopTest()
    {
        box.loop = &loop;
        bench.devices.attach(controllerAt("ttyUSB0"));
        bench.link.discoverController();
        bench.presenter.clear();
        bench.devices.clearCalls();
    }

    std::vector<const WireFrame*> framesHeard() const
    {
        heard_ = VirtualFixture::listen(bench.devices.txLine());
        return heard_.dmxFrames();
    }

    // Output is off in every way: box, timer, link, and nothing more on the line.
    void expectOutputOff()
    {
        EXPECT_FALSE(box.checked);
        EXPECT_FALSE(timer2->isEnabled());
        EXPECT_FALSE(loop.isOutputOn());
        EXPECT_FALSE(bench.link.isOpen());
        EXPECT_EQ(bench.devices.openHandleCount(), 0u);
        const std::size_t writes = bench.devices.callCount(Op::Write);
        bench.clock.advanceBy(10 * kPeriodNs);
        EXPECT_EQ(bench.devices.callCount(Op::Write), writes);
    }

    LinkBench bench;
    std::unique_ptr<Timer> timer2 = bench.clock.createTimer();
    DmxUniverse universe;
    FakeOutputBox box;
    LinkTurns turns{bench.link};
    DmxOutputLoop loop{bench.link, turns, *timer2, bench.presenter, universe, box, inlineThreads()};
    mutable FixtureLog heard_; // what the fixture heard at the last framesHeard()
};

TEST_F(DmxOutputLoopTest, CheckingTheBoxOpensTheLinkAndSendsAFrameEvery60ms)
{
    box.setChecked(true);
    EXPECT_TRUE(timer2->isEnabled());
    EXPECT_EQ(timer2->interval(), kDmxFramePeriodMs);
    EXPECT_TRUE(bench.link.isOpen());
    EXPECT_EQ(bench.devices.callCount(Op::Open), 1u);
    EXPECT_EQ(bench.devices.callCount(Op::Close), 0u);
    bench.devices.clearCalls();

    bench.clock.advanceBy(kPeriodNs - 1);
    EXPECT_EQ(bench.devices.callCount(Op::Write), 0u);
    bench.clock.advanceBy(1);
    // One tick: the break (read, slow space, zero byte, back to fast mark), the start code, mark
    // parity once more, and the levels in one write.
    EXPECT_THAT(bench.ops(), ElementsAre(Op::GetLineState, Op::SetLineState, Op::Write, Op::SetLineState,
                                         Op::Write, Op::SetLineState, Op::Write));
    std::vector<std::size_t> writeSizes;
    for (const auto& call : bench.devices.calls()) {
        if (call.op == Op::Write)
            writeSizes.push_back(call.byteCount);
    }
    EXPECT_THAT(writeSizes, ElementsAre(1u, 1u, kSentLevelCount));

    bench.clock.advanceBy(9 * kPeriodNs);
    const auto frames = framesHeard();
    ASSERT_EQ(frames.size(), 10u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const WireFrame& frame = *frames[i];
        EXPECT_EQ(frame.breakLowNs, 156'250);
        EXPECT_GT(frame.markAfterBreakNs, 0);
        ASSERT_EQ(frame.bytes.size(), kSentSlotCount);
        EXPECT_THAT(frame.bytes, Each(0));
        if (i > 0) {
            EXPECT_EQ(frame.breakStartNs - frames[i - 1]->breakStartNs, kPeriodNs);
        }
    }
    EXPECT_EQ(heard_.framingErrors, 0u);
    EXPECT_TRUE(bench.presenter.shown.empty());
}

TEST_F(DmxOutputLoopTest, FramesCarryStartCodeZeroAndSlots1To512Only)
{
    universe.setLevel(kStartCodeSlot, 0xAA);
    universe.setLevel(1, 11);
    universe.setLevel(512, 7);
    universe.setLevel(513, 9);
    box.setChecked(true);
    bench.clock.advanceBy(kPeriodNs);
    universe.setLevel(kStartCodeSlot, 0x55);
    universe.setLevel(512, 8);
    bench.clock.advanceBy(kPeriodNs);

    const auto frames = framesHeard();
    ASSERT_EQ(frames.size(), 2u);
    for (const WireFrame* frame : frames) {
        ASSERT_EQ(frame->bytes.size(), kSentSlotCount);
        EXPECT_EQ(frame->startCode(), kDmxStartCode);
        EXPECT_EQ(frame->bytes[1], 11);
    }
    EXPECT_EQ(frames[0]->bytes[512], 7);
    EXPECT_EQ(frames[1]->bytes[512], 8);
    EXPECT_EQ(universe.level(kStartCodeSlot), kDmxStartCode);
}

TEST_F(DmxOutputLoopTest, UncheckingStopsAtOnceAndCheckingAgainResumesTheSameLevels)
{
    universe.setLevel(5, 55);
    box.setChecked(true);
    bench.clock.advanceBy(2 * kPeriodNs + kPeriodNs / 2);
    box.setChecked(false);
    expectOutputOff();
    ASSERT_EQ(framesHeard().size(), 2u);

    const std::int64_t checkedAgainNs = bench.clock.nowNs() - bench.devices.txLine().originNs();
    box.setChecked(true);
    EXPECT_TRUE(bench.link.isOpen());
    bench.clock.advanceBy(2 * kPeriodNs);
    const auto frames = framesHeard();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[2]->breakStartNs, checkedAgainNs + kPeriodNs);
    EXPECT_EQ(frames[3]->bytes[5], 55);
    EXPECT_TRUE(bench.presenter.shown.empty());
}

TEST_F(DmxOutputLoopTest, StartOfAnUpdateRunTurnsOutputOffAndACheckDuringTheRunIsRefused)
{
    box.setChecked(true);
    bench.clock.advanceBy(kPeriodNs);

    // The run takes its turn: output stops and is no longer offered; then the run opens the link.
    turns.updateRunStarts();
    expectOutputOff();
    EXPECT_FALSE(box.offered);
    ASSERT_TRUE(bench.link.OpenLink());
    bench.devices.clearCalls();

    box.setChecked(true);
    EXPECT_FALSE(box.checked);
    EXPECT_FALSE(timer2->isEnabled());
    EXPECT_TRUE(bench.link.isOpen()) << "the run's link was closed";
    bench.clock.advanceBy(5 * kPeriodNs);
    EXPECT_TRUE(bench.devices.calls().empty());

    // After the run the box is offered again but stays unchecked, and nothing is sent.
    bench.link.CloseLink();
    turns.updateRunEnded();
    EXPECT_TRUE(box.offered);
    EXPECT_FALSE(box.checked);
    bench.clock.advanceBy(5 * kPeriodNs);
    EXPECT_EQ(framesHeard().size(), 1u);
}

TEST_F(DmxOutputLoopTest, ALinkThatFailsToOpenTurnsOutputOffAndTellsTheUserOnceWithTheReason)
{
    for (const auto kind : kFaultKinds) {
        bench.presenter.clear();
        bench.devices.setOpenable("ttyUSB0", false, kind);
        box.setChecked(true);
        EXPECT_THAT(bench.presenter.texts(), ElementsAre(toldAfterFault(kDmxOpenFailedText, kind)));
        expectOutputOff();
    }

    // Plugged in and openable again: output starts normally.
    bench.devices.setOpenable("ttyUSB0", true);
    box.setChecked(true);
    bench.clock.advanceBy(kPeriodNs);
    EXPECT_EQ(framesHeard().size(), 1u);
}

TEST_F(DmxOutputLoopTest, AControllerPulledOutDuringOutputTurnsOutputOffAndTellsTheUserOnce)
{
    // The levels of the third frame fail half way.
    constexpr std::uint64_t kBytesPerTick = 2 + kSentLevelCount;
    bench.devices.unplugAfterBytes(2 * kBytesPerTick + 100);
    bool boxShownUnchecked = false;
    bench.presenter.whileShown = [&](const RecordingPresenter::Shown&) { boxShownUnchecked = !box.checked; };

    box.setChecked(true);
    bench.clock.advanceBy(3 * kPeriodNs);
    const std::string told = toldAfterFault(kDmxWriteFailedText, DeviceFault::Kind::Gone);
    EXPECT_THAT(bench.presenter.texts(), ElementsAre(told));
    EXPECT_TRUE(boxShownUnchecked);
    expectOutputOff();
    EXPECT_EQ(bench.presenter.shown.size(), 1u);
    EXPECT_EQ(framesHeard().size(), 3u);

    // Pulled out between frames: the next frame's first write fails.
    bench.presenter.clear();
    bench.devices.attach(controllerAt("ttyUSB0"));
    box.setChecked(true);
    bench.devices.unplugAtTime(bench.clock.nowNs() + kPeriodNs + kPeriodNs / 2);
    bench.clock.advanceBy(10 * kPeriodNs);
    EXPECT_THAT(bench.presenter.texts(), ElementsAre(told));
    expectOutputOff();
}

TEST_F(DmxOutputLoopTest, ClosingTheMainWindowTurnsOutputOff)
{
    box.setChecked(true);
    bench.clock.advanceBy(kPeriodNs);
    loop.mainWindowClosing();
    expectOutputOff();
    EXPECT_EQ(framesHeard().size(), 1u);
    EXPECT_TRUE(bench.presenter.shown.empty());

    // Closing again with output off touches nothing.
    bench.devices.clearCalls();
    loop.mainWindowClosing();
    EXPECT_TRUE(bench.devices.calls().empty());
}

} // namespace
} // namespace sus::test
