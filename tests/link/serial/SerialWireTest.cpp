// SPDX-License-Identifier: Apache-2.0
// The real backend's wire, decoded by the virtual fixture off the model bridge's line: the same
// checks as on the simulated controller, in real time, with the line on its own thread as the
// programs run it.

#include "dmx/DmxOutputLoop.h"
#include "dmx/DmxUniverse.h"
#include "link/LineTiming.h"
#include "link/serial/QtLineThread.h"
#include "tests/dmx/FakeOutputBox.h"
#include "tests/link/serial/ThreadedBridgeRun.h"
#include "update/UpdateMessages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace sus::test {
namespace {

using namespace std::chrono_literals;

// How what the fixture hears keeps its schedule. No frame ever starts sooner after the one before
// than in the schedule (link/FrameGaps.h): the model bridge's wire is exact, so that holds to the
// nanosecond. Later, within bounds: this machine is shared, and a busy moment delays a tick by tens
// of milliseconds, which pushes the rest of the run; each tick's own lateness and each frame whose
// drains took longer than the one before push it a little more (about 1 to 3 % by the end here). A
// wrong interval (100 ms where 20 ms are due, 20 ms where 1 s is due) is far outside either bound.
constexpr std::int64_t kLateGapToleranceNs = 60 * kMs;
constexpr std::int64_t kLateToleranceNs = 60 * kMs;
constexpr std::int64_t kSlipToleranceInPercent = 10;
// DMX output keeps its beat instead: where in its tick a frame starts varies with the drains before
// it (1 to 3 ms on the bridge), so a frame may start a little sooner than its beat.
constexpr std::int64_t kEarlyToleranceNs = 5 * kMs;

TEST(SerialWire, AnUpdateRunOfTwoFilesArrivesExactlyAndOnSchedule)
{
    // 242 blocks: the last block number is 257, above one byte. The second file asks for the
    // long pause between its header copies.
    const UpdateFileBuilder large = FileWithData(241 * 256 + 100, 3);
    const UpdateFileBuilder paused = FileWithData(600, 9).pause(update_file::kLongPauseFlag, 20);

    // The schedule: the same run on the simulated controller in virtual time.
    UpdateRunBench schedule;
    const std::string largePath = schedule.queue(large, "large.MVT");
    const std::string pausedPath = schedule.queue(paused, "paused.MVT");
    schedule.view.password = kPassword;
    schedule.page.SpeedButton2Click();
    schedule.runToEnd();
    const FixtureLog planned = schedule.heard();

    ThreadedBridgeRun real;
    real.queue(largePath);
    real.queue(pausedPath);
    real.start();
    ASSERT_TRUE(real.runToEnd(120s));
    EXPECT_EQ(real.bridge.callsFrom(real.windowThread), 0u) << "the window's thread called the port";
    EXPECT_THAT(real.presenter.texts(), ::testing::ElementsAre(std::string(kUpdateFinished)));

    const FixtureLog heard = real.heard();
    EXPECT_EQ(heard.framingErrors, 0u);
    EXPECT_EQ(heard.strayCharacters, 0u);
    const UpdateReception got = UpdateReception::from(heard);
    EXPECT_EQ(got.wakeUpFrames, 41u);
    EXPECT_EQ(got.badPackets, 0u);
    EXPECT_EQ(got.outOfPlace, 0u);
    EXPECT_TRUE(got.finished);
    EXPECT_FALSE(got.aborted);
    ASSERT_EQ(got.files.size(), 2u);
    EXPECT_TRUE(got.files[0].matches(UpdateImage(large.bytes()), large.key()));
    EXPECT_TRUE(got.files[1].matches(UpdateImage(paused.bytes()), paused.key()));
    EXPECT_TRUE(got.files[0].blocksInOrder && got.files[1].blocksInOrder);
    EXPECT_EQ(got.files[0].blockTypes.back(), 257);
    EXPECT_EQ(real.bridge.bytesCaught(), 0u);
    EXPECT_EQ(real.bridge.charactersCut(), 0u);
    EXPECT_EQ(real.bridge.bytesPurged(), 0u);

    // Every byte as the simulated controller sends it: same values, same ninth bits.
    ASSERT_EQ(heard.characters.size(), planned.characters.size());
    for (std::size_t i = 0; i < heard.characters.size(); ++i) {
        ASSERT_EQ(heard.characters[i].value, planned.characters[i].value) << "character " << i;
        ASSERT_EQ(heard.characters[i].ninthBit, planned.characters[i].ninthBit) << "character " << i;
    }

    ASSERT_EQ(heard.items.size(), planned.items.size());
    for (std::size_t i = 1; i < heard.items.size(); ++i) {
        const std::int64_t gap = heard.items[i].startNs - heard.items[i - 1].startNs;
        const std::int64_t plannedGap = planned.items[i].startNs - planned.items[i - 1].startNs;
        EXPECT_GE(gap, plannedGap) << "item " << i;
        EXPECT_LE(gap, plannedGap + kLateGapToleranceNs) << "item " << i;
        const std::int64_t due = planned.items[i].startNs - planned.items.front().startNs;
        const std::int64_t lag = heard.items[i].startNs - heard.items.front().startNs - due;
        EXPECT_LE(lag, kLateToleranceNs + due * kSlipToleranceInPercent / 100) << "item " << i;
    }
}

TEST(SerialWire, DmxFramesHaveTheirBreakStartCodeAndLevelsExactly)
{
    SerialBridgeBench bench;
    QtLineThread line;
    const auto timer2 = line.createTimer();
    DmxUniverse universe;
    const std::vector<std::pair<std::size_t, std::uint8_t>> levels{{1, 255}, {2, 128}, {100, 7}, {512, 1}};
    for (const auto& [slot, level] : levels)
        universe.setLevel(slot, level);
    FakeOutputBox box;
    LinkTurns turns(bench.link);
    DmxOutputLoop loop(bench.link, turns, *timer2, bench.presenter, universe, box, line.threads());
    box.loop = &loop;

    constexpr std::size_t kFrames = 5;
    box.setChecked(true);
    ASSERT_TRUE(runEventsUntil([&] { return bench.heard().dmxFrames().size() >= kFrames; }, 10s));
    box.setChecked(false);
    line.stop();
    EXPECT_TRUE(bench.presenter.texts().empty());

    const FixtureLog heard = bench.heard();
    EXPECT_EQ(heard.framingErrors, 0u);
    EXPECT_EQ(heard.strayCharacters, 0u);
    const auto frames = heard.dmxFrames();
    ASSERT_GE(frames.size(), kFrames);
    std::vector<std::uint8_t> expected(kSentSlotCount, 0);
    for (const auto& [slot, level] : levels)
        expected[slot] = level;
    for (const WireFrame* frame : frames) {
        // Ten bits low at 64000 baud: the zero byte with its parity bit 0.
        EXPECT_EQ(frame->breakLowNs, 156'250);
        EXPECT_EQ(frame->bytes, expected);
    }
    // What the line carried: the break alone at the slow rate with space parity, every slot at the
    // line rate with mark parity.
    for (const WireWrite& write : bench.bridge.wire()) {
        if (write.line.baudRate == kBreakBaud) {
            EXPECT_EQ(write.line.parity, Parity::Space);
            EXPECT_EQ(write.bytes, std::vector<std::uint8_t>{0});
        } else {
            EXPECT_EQ(write.line.baudRate, kLineBaud);
            EXPECT_EQ(write.line.parity, Parity::Mark);
        }
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const auto due = static_cast<std::int64_t>(i) * kDmxFramePeriodMs * kMs;
        const std::int64_t lag = frames[i]->breakStartNs - frames.front()->breakStartNs - due;
        EXPECT_GE(lag, -kEarlyToleranceNs) << "frame " << i;
        EXPECT_LE(lag, kLateToleranceNs) << "frame " << i;
    }
    EXPECT_EQ(bench.bridge.bytesCaught(), 0u);
    EXPECT_EQ(bench.bridge.charactersCut(), 0u);
    EXPECT_EQ(bench.bridge.bytesPurged(), 0u);
    EXPECT_FALSE(bench.bridge.isOpen());
    EXPECT_EQ(bench.bridge.callsFrom(std::this_thread::get_id()), 0u)
        << "the window's thread called the port";
}

} // namespace
} // namespace sus::test
