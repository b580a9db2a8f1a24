// SPDX-License-Identifier: Apache-2.0
// An update run and DMX output with the line on its own thread, over the simulated controller on the
// wall clock, the test's thread playing the window: what crosses between the two threads, and how
// a run ends when the user stops it or the controller goes.
#include "core/SteadyClock.h"
#include "dmx/DmxOutputLoop.h"
#include "dmx/DmxUniverse.h"
#include "link/LineThread.h"
#include "link/LinkTurns.h"
#include "receive/UpdateReceiver.h"
#include "sim/VirtualFixture.h"
#include "tests/dmx/FakeOutputBox.h"
#include "tests/link/LinkBench.h"
#include "tests/support/FakeUpdatePageView.h"
#include "tests/support/TaskQueue.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"
#include "update/UpdateFiles.h"
#include "update/UpdateMessages.h"
#include "update/UpdateRunPage.h"
#include "update/UpdateSequencer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace sus::test {
namespace {

using namespace std::chrono_literals;

// A controller found on the wall clock, and the line's thread with the test's as the window.
struct ThreadedLine {
    ThreadedLine()
    {
        devices.attach(controllerAt("ttyUSB0"));
        link.discoverController();
        presenter.clear();
    }

    // What the fixture heard; once the line has stopped.
    FixtureLog heard() const { return VirtualFixture::listen(devices.txLine()); }

    SteadyClock clock;
    SimulatedController devices{clock};
    RecordingPresenter presenter;
    Link link{devices, presenter};
    TaskQueue window;
    LineThread line{window};
};

struct ThreadedUpdateRun : ThreadedLine {
    ThreadedUpdateRun()
    {
        view.files.push_back(utf8Of(
            UpdateFileBuilder().imageData(std::vector<std::uint8_t>(600, 5)).writeTo(dir / "file.MVT")));
        view.password = UpdateFileBuilder().password();
    }
    ~ThreadedUpdateRun() { line.stop(); }

    // Starts the run and waits until its first wake-up frame has gone.
    void startAndWaitForTheFirstFrame()
    {
        page.SpeedButton2Click();
        ASSERT_TRUE(window.runUntil([&] { return view.stopEnabled; }));
    }
    // Waits until the window has been told that the run ended, then lets the line finish and the
    // window take the rest of what the line told it.
    bool waitForTheEnd()
    {
        const bool ended = window.runUntil([&] { return !sequencer.runActive(); });
        line.stop();
        window.runPosted();
        return ended;
    }

    TempDir dir;
    std::unique_ptr<Timer> timer1 = line.createTimer();
    UpdateFiles files;
    FakeUpdatePageView view;
    LinkTurns turns{link};
    UpdateSequencer sequencer{files, link, turns, *timer1, presenter, line.threads(), line.clock()};
    UpdateRunPage page{sequencer, view};
};

// A Stop reaches the line before its next tick, so AbortUpdate follows the wake-up frames at once; a
// controller pulled out ends the run with the reason told on the window's thread. Either way the
// page comes back and the link closes.
TEST(ThreadedRun, AStopOrAControllerPulledOutEndsTheRunOnTheLineAndTheWindowFollows)
{
    struct Case {
        const char* ending;
        std::function<void(ThreadedUpdateRun&)> end;
        RunOutcome outcome;
        std::vector<std::string> told;
        std::vector<int> packetTypes; // after the wake-up frames
    };
    const Case cases[] = {
        {"Stop",
         [](ThreadedUpdateRun& run) { run.page.SpeedButton3Click(); },
         RunOutcome::Stopped,
         {},
         {static_cast<int>(PacketType::AbortUpdate)}},
        {"pulled out",
         [](ThreadedUpdateRun& run) {
             run.line.threads().line.post([&run] { run.devices.detach("ttyUSB0"); });
         },
         RunOutcome::LinkFailed,
         {toldAfterFault(kControllerLost, DeviceFault::Kind::Gone)},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ending);
        ThreadedUpdateRun run;
        run.startAndWaitForTheFirstFrame();
        c.end(run);
        ASSERT_TRUE(run.waitForTheEnd());

        EXPECT_EQ(run.sequencer.lastOutcome(), c.outcome);
        EXPECT_EQ(run.presenter.texts(), c.told);
        EXPECT_TRUE(run.view.startEnabled);
        EXPECT_FALSE(run.view.stopEnabled);
        EXPECT_EQ(run.view.progress, 0);
        EXPECT_FALSE(run.link.isOpen());
        const FixtureLog heard = run.heard();
        EXPECT_GE(heard.wakeUpFrames().size(), 1u);
        std::vector<int> types;
        for (const WirePacket& packet : heard.packets)
            types.push_back(packet.type);
        EXPECT_EQ(types, c.packetTypes);
        if (!heard.packets.empty()) {
            EXPECT_EQ(heard.items.back().startNs, heard.packets.back().startNs) << "nothing after it";
        }
    }
}

// The faders move on the window's thread while frames go out on the line's: each frame is the
// universe at one moment. The window writes the levels slot by slot, generation after generation
// without a pause, each generation one more (modulo 256) than the last, so at any moment the slots
// from first to last hold one generation, or two with the newer first. A frame that took some slots
// before a change and some after would show more, or the older first.
TEST(ThreadedDmx, EachFrameTakesTheUniverseAtOneMoment)
{
    ThreadedLine bench;
    const auto timer2 = bench.line.createTimer();
    DmxUniverse universe;
    FakeOutputBox box;
    LinkTurns turns(bench.link);
    DmxOutputLoop loop(bench.link, turns, *timer2, bench.presenter, universe, box, bench.line.threads());
    box.loop = &loop;

    box.setChecked(true);
    const auto end = std::chrono::steady_clock::now() + 500ms;
    for (std::uint8_t generation = 1; std::chrono::steady_clock::now() < end; ++generation) {
        for (std::size_t slot = kFirstLevelSlot; slot < kSentSlotCount; ++slot)
            universe.setLevel(slot, generation);
    }
    box.setChecked(false);
    bench.line.stop();

    EXPECT_TRUE(bench.presenter.shown.empty());
    EXPECT_FALSE(bench.link.isOpen());
    const FixtureLog heard = bench.heard();
    const auto frames = heard.dmxFrames();
    ASSERT_GE(frames.size(), 2u);
    for (const WireFrame* frame : frames) {
        ASSERT_EQ(frame->bytes.size(), kSentSlotCount);
        int changes = 0;
        bool newerFirst = true;
        for (std::size_t slot = kFirstLevelSlot; slot + 1 < kSentSlotCount; ++slot) {
            const std::uint8_t here = frame->bytes[slot];
            const std::uint8_t next = frame->bytes[slot + 1];
            if (here != next) {
                ++changes;
                newerFirst = newerFirst && here == static_cast<std::uint8_t>(next + 1);
            }
        }
        EXPECT_LE(changes, 1) << "frame at " << frame->breakStartNs;
        EXPECT_TRUE(newerFirst) << "frame at " << frame->breakStartNs;
    }
}

} // namespace
} // namespace sus::test
