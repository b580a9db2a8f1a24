// SPDX-License-Identifier: Apache-2.0
// The line's own thread over the real backend on the model bridge, as the programs run it: the
// window's thread never calls the port; a Stop or the window's close goes out after the frame in hand
// and before the port closes; a bridge pulled out ends the run as unplugged and the window is told.
#include "tests/link/LinkBench.h"
#include "tests/link/serial/ThreadedBridgeRun.h"
#include "update/UpdateMessages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace sus::test {
namespace {

using namespace std::chrono_literals;

// A run of one file.
struct OneFileRun : ThreadedBridgeRun {
    OneFileRun() { queue(utf8Of(FileWithData(600).writeTo(dir / "file.MVT"))); }

    void startAndWaitForTheFirstFrame()
    {
        start();
        ASSERT_TRUE(runEventsUntil([&] { return view.stopEnabled; }, 10s));
    }

    // What the fixture heard is whole, and the bridge had no byte or character cut or purged.
    void expectNothingCut(const FixtureLog& heard)
    {
        EXPECT_EQ(heard.framingErrors, 0u);
        EXPECT_EQ(heard.strayCharacters, 0u);
        for (const WireFrame* frame : heard.wakeUpFrames())
            EXPECT_EQ(frame->bytes.size(), 100u);
        for (const WirePacket& packet : heard.packets)
            EXPECT_TRUE(packet.checksumOk);
        EXPECT_EQ(bridge.bytesCaught(), 0u);
        EXPECT_EQ(bridge.charactersCut(), 0u);
        EXPECT_EQ(bridge.bytesPurged(), 0u);
        EXPECT_FALSE(bridge.isOpen());
    }

    TempDir dir;
};

// A Stop, or the window's close with the program's end right after: AbortUpdate goes out after the
// frame in hand and is the last thing on the line before the port closes.
TEST(SerialLineThread, AStopOrTheWindowsCloseGoesOutAfterTheFrameInHandAndBeforeThePortCloses)
{
    struct Case {
        const char* ending;
        std::function<void(OneFileRun&)> end;
    };
    const Case cases[] = {
        {"Stop",
         [](OneFileRun& run) {
             run.page.SpeedButton3Click();
             ASSERT_TRUE(run.runToEnd(10s));
             EXPECT_EQ(run.sequencer.lastOutcome(), RunOutcome::Stopped);
         }},
        {"window closed",
         [](OneFileRun& run) {
             run.sequencer.abortForWindowClose();
             run.line.threads().line.post([&run] { run.link.CloseLink(); });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ending);
        OneFileRun run;
        run.startAndWaitForTheFirstFrame();
        c.end(run);
        run.line.stop();

        const FixtureLog heard = run.heard();
        ASSERT_EQ(heard.packets.size(), 1u);
        EXPECT_EQ(heard.packets.front().type, static_cast<int>(PacketType::AbortUpdate));
        EXPECT_GE(heard.wakeUpFrames().size(), 1u);
        EXPECT_EQ(heard.items.back().startNs, heard.packets.back().startNs);
        run.expectNothingCut(heard);
        EXPECT_EQ(run.bridge.callsFrom(run.windowThread), 0u) << "the window's thread called the port";
    }
}

TEST(SerialLineThread, ABridgePulledOutMidRunEndsItAsUnpluggedAndTheWindowIsTold)
{
    OneFileRun run;
    run.startAndWaitForTheFirstFrame();
    run.bridge.pullOut();
    ASSERT_TRUE(runEventsUntil([&] { return !run.presenter.texts().empty(); }, 10s));
    run.line.stop();

    EXPECT_FALSE(run.sequencer.runActive());
    EXPECT_EQ(run.sequencer.lastOutcome(), RunOutcome::LinkFailed);
    EXPECT_THAT(run.presenter.texts(),
                ::testing::ElementsAre(
                    toldAfterFault(kControllerLost, DeviceFault::Kind::Gone, run.link.controllerIdentity())));
    EXPECT_TRUE(run.view.startEnabled);
    EXPECT_FALSE(run.bridge.isOpen());
    EXPECT_EQ(run.bridge.callsFrom(run.windowThread), 0u);
}

} // namespace
} // namespace sus::test
