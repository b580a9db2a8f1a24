// SPDX-License-Identifier: Apache-2.0
// Long runs in virtual time that must end as they began: DMX output for a million frames, and an
// update run over a queue of 300 files. Both check what the fixture hears along the way and that
// the heap does not grow once the run is under way.
#include "dmx/DmxOutputLoop.h"
#include "dmx/DmxUniverse.h"
#include "tests/dmx/FakeOutputBox.h"
#include "tests/hardening/PeakMemory.h"
#include "tests/update/UpdateRunBench.h"
#include "update/UpdateMessages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace sus::test {
namespace {

using ::testing::ElementsAre;

// What the heap may gain between two looks once a run is under way: a few allocator pages,
// far below what keeping one frame or one file per step would add.
constexpr std::int64_t kHeapSlack = 256 << 10;

TEST(Soak, DmxOutputForAMillionFramesSendsEveryFrameAlikeInTheSameMemory)
{
    constexpr int kFrames = 1'000'000;
    constexpr int kLookEvery = 100'000;
    constexpr std::int64_t kPeriodNs = kDmxFramePeriodMs * kMs;

    UpdateRunBench bench; // a controller found, virtual time
    std::unique_ptr<Timer> timer2 = bench.clock.createTimer();
    DmxUniverse universe;
    FakeOutputBox box;
    LinkTurns turns{bench.link};
    DmxOutputLoop loop{bench.link, turns, *timer2, bench.presenter, universe, box, inlineThreads()};
    box.loop = &loop;
    bench.devices.setRecording(SimulatedController::Recording::CountsOnly);
    bench.devices.clearCalls();

    box.setChecked(true);
    std::int64_t heapAtFirstLook = 0;
    for (int frame = 0; frame < kFrames; frame += kLookEvery) {
        // Levels change as faders would; two frames are recorded and decoded at every look.
        universe.setLevel(1 + static_cast<std::size_t>(frame / kLookEvery), 0xA5);
        universe.setLevel(kSentLevelCount, static_cast<std::uint8_t>(frame / kLookEvery));
        bench.clock.advanceBy((kLookEvery - 2) * kPeriodNs);
        bench.devices.clearTxLine();
        bench.devices.setRecording(SimulatedController::Recording::Everything);
        bench.clock.advanceBy(2 * kPeriodNs);
        bench.devices.setRecording(SimulatedController::Recording::CountsOnly);

        const FixtureLog heard = bench.heard();
        const auto frames = heard.dmxFrames();
        ASSERT_EQ(frames.size(), 2u) << frame;
        for (const WireFrame* sent : frames) {
            ASSERT_EQ(sent->bytes.size(), kSentSlotCount);
            const DmxFrameSlots levels = universe.sentSlots();
            EXPECT_TRUE(std::equal(sent->bytes.begin(), sent->bytes.end(), levels.begin())) << frame;
        }
        bench.devices.clearTxLine();
        if (frame == 0)
            heapAtFirstLook = heapBytesInUse();
        EXPECT_LT(heapBytesInUse() - heapAtFirstLook, kHeapSlack)
            << "after " << frame + kLookEvery << " frames";
    }
    EXPECT_TRUE(loop.isOutputOn());
    EXPECT_TRUE(bench.presenter.shown.empty());
    // Every frame is one break and two writes (start code, levels), whichever were recorded.
    EXPECT_EQ(bench.devices.callCount(SimulatedController::Op::Write), 3u * kFrames);
    box.setChecked(false);
    EXPECT_FALSE(bench.link.isOpen());
}

TEST(Soak, AnUpdateRunOver300FilesDeliversEveryFileExactlyInTheSameMemory)
{
    constexpr int kFiles = 300;
    constexpr int kDistinctFiles = 7;

    UpdateRunBench bench;
    std::vector<UpdateFileBuilder> files;
    for (int i = 0; i < kDistinctFiles; ++i) {
        files.push_back(FileWithData(static_cast<std::size_t>(100 + 700 * i), static_cast<std::uint8_t>(i))
                            .newVersion(static_cast<std::uint8_t>(i), 0));
        bench.queue(files.back(), "file " + std::to_string(i) + ".MVT");
    }
    const std::vector<std::string> distinct = bench.view.files;
    bench.view.files.clear();
    for (int i = 0; i < kFiles; ++i)
        bench.view.files.push_back(distinct[static_cast<std::size_t>(i % kDistinctFiles)]);

    bench.view.password = kPassword;
    bench.page.SpeedButton2Click();
    std::int64_t heapAtFile20 = 0;
    for (int sent = 0; sent < kFiles; ++sent) {
        // Each file is checked as it ends, and the record of it dropped.
        ASSERT_TRUE(bench.clock.runUntil(
            [&] {
                return bench.sequencer.script()->state() == SequencerState::NextFile &&
                       bench.sequencer.script()->fileIndex() == static_cast<std::size_t>(sent) + 1;
            },
            bench.clock.nowNs() + 3'600'000 * kMs))
            << "file " << sent;
        const UpdateReception got = bench.reception();
        const UpdateFileBuilder& expected = files[static_cast<std::size_t>(sent % kDistinctFiles)];
        ASSERT_EQ(got.files.size(), 1u) << "file " << sent;
        EXPECT_TRUE(got.files[0].ended && got.files[0].blocksInOrder) << "file " << sent;
        EXPECT_TRUE(got.files[0].matches(UpdateImage(expected.bytes()), expected.key())) << "file " << sent;
        EXPECT_EQ(got.files[0].identifyPackets, sent == 0 ? 63u : 0u);
        EXPECT_EQ(got.badPackets, 0u);
        bench.devices.clearTxLine();
        bench.devices.clearCalls();
        if (sent == 20)
            heapAtFile20 = heapBytesInUse();
        if (sent > 20) {
            EXPECT_LT(heapBytesInUse() - heapAtFile20, kHeapSlack) << "after file " << sent;
        }
    }
    bench.runToEnd();
    EXPECT_TRUE(bench.reception().finished);
    EXPECT_THAT(bench.presenter.texts(), ElementsAre(std::string(kUpdateFinished)));
    EXPECT_FALSE(bench.link.isOpen());
}

} // namespace
} // namespace sus::test
