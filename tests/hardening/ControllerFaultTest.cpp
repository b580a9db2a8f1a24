// SPDX-License-Identifier: Apache-2.0
// The controller misbehaving under an update run and under DMX output: pulled out at every step,
// failing to open, gone since start-up, or sharing the machine with a second one. Whatever happens,
// the user is told once, the link closes, no success is reported and the buttons are as after Stop.
#include "dmx/DmxOutputLoop.h"
#include "dmx/DmxUniverse.h"
#include "tests/dmx/FakeOutputBox.h"
#include "tests/update/UpdateRunBench.h"
#include "update/UpdateMessages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace sus::test {
namespace {

using Op = SimulatedController::Op;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::string kPort = "ttyUSB0";
// What the user is told when the controller is found gone.
const std::string kLostText = toldAfterFault(kControllerLost, DeviceFault::Kind::Gone);

// A run of two files on a bench.
struct TwoFileRun : UpdateRunBench {
    TwoFileRun()
    {
        queue(FileWithData(600, 1), "first.MVT");
        queue(FileWithData(300, 2), "second.MVT");
        view.password = kPassword;
    }

    void start() { page.SpeedButton2Click(); }

    // Ticks until `reached` holds; false when the run ended first.
    bool runUntil(const std::function<bool()>& reached)
    {
        return clock.runUntil([&] { return reached() || !sequencer.runActive(); },
                              clock.nowNs() + 600'000 * kMs) &&
               sequencer.runActive();
    }

    // The run ended as after Stop, with the link closed and nothing more going out.
    void expectEndedAsAfterStop()
    {
        EXPECT_FALSE(sequencer.runActive());
        EXPECT_FALSE(link.isOpen());
        EXPECT_EQ(devices.openHandleCount(), 0u);
        EXPECT_FALSE(timer1->isEnabled());
        EXPECT_TRUE(view.startEnabled);
        EXPECT_FALSE(view.stopEnabled);
        EXPECT_EQ(view.progress, 0);
        EXPECT_TRUE(dmx.available);
        const std::size_t calls = devices.calls().size();
        clock.advanceBy(10'000 * kMs);
        EXPECT_EQ(devices.calls().size(), calls);
    }
};

// Where the controller is pulled out: before the tick of `state` (its `occurrence`-th time), and
// what the user must have been told by the end.
struct UnplugCase {
    SequencerState state;
    std::vector<std::string> told;
    bool afterLastFile = false; // NextFile with no file left: the finish
    bool afterStop = false;     // Abort: Stop was pressed during the data blocks
};

TEST(ControllerFaults, UnpluggedBeforeTheTickOfEverySequencerStateEndsTheRunAndSaysSo)
{
    const std::string& lost = kLostText;
    const std::string finished(kUpdateFinished);
    const UnplugCase cases[] = {
        {SequencerState::WakeUp, {lost}},
        {SequencerState::NextFile, {lost}},
        {SequencerState::Identify1, {lost}},
        {SequencerState::Identify2, {lost}},
        {SequencerState::Identify3, {lost}},
        {SequencerState::CountRound, {lost}}, // sends nothing: the next packet finds the controller gone
        {SequencerState::HeaderStart, {lost}},
        {SequencerState::HeaderFirst, {lost}},
        {SequencerState::HeaderSecond, {lost}},
        {SequencerState::DataBlock, {lost}},
        {SequencerState::DataBlockAgain, {lost}},
        {SequencerState::EndOfFile, {lost}},
        // Every file went out and the user read the finish message; FinishUpdate then fails, and the
        // user learns that the fixture was not told to reset.
        {SequencerState::NextFile, {finished, lost}, true},
        {SequencerState::Abort, {lost}, false, true},
        // FinishUpdate or AbortUpdate already went out: only the link is left to close.
        {SequencerState::Close, {finished}, true},
    };
    for (const UnplugCase& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "state " << static_cast<int>(c.state) << (c.afterLastFile ? " at the end" : "")
                     << (c.afterStop ? " after Stop" : ""));
        TwoFileRun run;
        run.start();
        if (c.afterStop) {
            ASSERT_TRUE(
                run.runUntil([&] { return run.sequencer.script()->state() == SequencerState::DataBlock; }));
            run.page.SpeedButton3Click();
        }
        if (c.afterLastFile) {
            ASSERT_TRUE(run.runUntil([&] {
                return run.sequencer.script()->fileIndex() == 2 &&
                       run.sequencer.script()->state() == SequencerState::NextFile;
            }));
        }
        ASSERT_TRUE(run.runUntil([&] { return run.sequencer.script()->state() == c.state; }));
        ASSERT_TRUE(run.devices.detach(kPort));
        run.runToEnd();

        EXPECT_THAT(run.presenter.texts(), ElementsAreArray(c.told));
        run.expectEndedAsAfterStop();
        // Only a run whose FinishUpdate went out before the controller did counts as finished.
        EXPECT_EQ(run.reception().finished, c.told == std::vector<std::string>{finished});
        EXPECT_EQ(run.reception().badPackets, 0u);
    }
}

TEST(ControllerFaults, PulledOutInTheMiddleOfAnyWriteTheRunEndsAtOnceAndTheRestOfThatPacketIsLost)
{
    TwoFileRun whole;
    whole.start();
    whole.runToEnd();
    std::uint64_t total = 0;
    for (const WireWrite& write : whole.devices.txLine().writes())
        total += write.bytes.size();

    for (std::uint64_t after = 0; after < total; after += 613) {
        SCOPED_TRACE(after);
        TwoFileRun run;
        run.start();
        run.devices.unplugAfterBytes(after);
        run.runToEnd();
        // A cut in FinishUpdate comes after the finish message the user has already read.
        if (after >= total - packet::kShortPacketLength)
            EXPECT_THAT(run.presenter.texts(), ElementsAre(std::string(kUpdateFinished), kLostText));
        else
            EXPECT_THAT(run.presenter.texts(), ElementsAre(kLostText));
        run.expectEndedAsAfterStop();
        const UpdateReception got = run.reception();
        EXPECT_FALSE(got.finished);
        EXPECT_LE(got.badPackets, 1u); // the packet cut short, if the cut fell in one
    }
}

TEST(ControllerFaults, AControllerGoneSinceStartUpOrThatCannotBeOpenedStopsTheRunBeforeItStarts)
{
    for (const bool unplugged : {true, false}) {
        SCOPED_TRACE(unplugged ? "gone since start-up" : "cannot be opened");
        TwoFileRun run;
        if (unplugged)
            run.devices.detach(kPort);
        else
            run.devices.setOpenable(kPort, false);
        run.start();
        EXPECT_THAT(run.presenter.texts(),
                    ElementsAre(toldAfterFault(kControllerNotOpened, unplugged ? DeviceFault::Kind::Gone
                                                                               : DeviceFault::Kind::Other)));
        run.expectEndedAsAfterStop();
        EXPECT_EQ(run.dmx.turnedOff, 1);
        EXPECT_TRUE(run.devices.txLine().writes().empty());

        // Plugged back in (or free again), the next Start runs the whole update.
        if (unplugged)
            run.devices.attach({.identity = kPort});
        else
            run.devices.setOpenable(kPort, true);
        run.presenter.clear();
        run.start();
        run.runToEnd();
        EXPECT_THAT(run.presenter.texts(), ElementsAre(std::string(kUpdateFinished)));
        EXPECT_EQ(run.reception().files.size(), 2u);
        EXPECT_TRUE(run.reception().finished);
    }
}

TEST(ControllerFaults, WithTwoControllersTheRunUsesTheLastFoundAndTheOtherComingOrGoingDoesNotDisturbIt)
{
    UpdateRunBench bench; // "ttyUSB0" attached and found
    bench.devices.attach({.identity = "ttyUSB1"});
    bench.presenter.clear();
    bench.link.discoverController();
    EXPECT_THAT(bench.presenter.texts(),
                ElementsAre("Controller has been found!", "Controller has been found!"));
    EXPECT_EQ(bench.link.controllerIdentity(), "ttyUSB1");
    bench.presenter.clear();

    const auto file = FileWithData(2000);
    bench.queue(file, "f.MVT");
    bench.view.password = kPassword;
    bench.devices.clearCalls();
    bench.page.SpeedButton2Click();
    bench.clock.advanceBy(5000 * kMs);
    bench.devices.detach("ttyUSB0"); // the other one is pulled out mid-run: the run goes on
    bench.runToEnd();

    EXPECT_THAT(bench.presenter.texts(), ElementsAre(std::string(kUpdateFinished)));
    const UpdateReception got = bench.reception();
    ASSERT_EQ(got.files.size(), 1u);
    EXPECT_TRUE(got.files[0].matches(UpdateImage(file.bytes()), file.key()));
    EXPECT_TRUE(got.finished);
    // Every write went to the one handle, opened on the last controller found.
    DeviceHandle opened = kNoDevice;
    for (const auto& call : bench.devices.calls()) {
        if (call.op == Op::Open) {
            EXPECT_EQ(call.index, 1u);
            opened = call.handle;
        }
        if (call.op == Op::Write) {
            EXPECT_EQ(call.handle, opened);
        }
    }
}

// DMX output over the simulated controller, on virtual time.
struct DmxBench : UpdateRunBench {
    DmxBench()
    {
        box.loop = &loop;
        devices.clearCalls();
    }

    std::unique_ptr<Timer> timer2 = clock.createTimer();
    DmxUniverse universe;
    FakeOutputBox box;
    LinkTurns turns{link};
    DmxOutputLoop loop{link, turns, *timer2, presenter, universe, box, inlineThreads()};

    // Output is off in every way and stays off.
    void expectOutputOff()
    {
        EXPECT_FALSE(box.checked);
        EXPECT_FALSE(timer2->isEnabled());
        EXPECT_FALSE(loop.isOutputOn());
        EXPECT_FALSE(link.isOpen());
        EXPECT_EQ(devices.openHandleCount(), 0u);
        const std::size_t calls = devices.calls().size();
        clock.advanceBy(10 * kDmxFramePeriodMs * kMs);
        EXPECT_EQ(devices.calls().size(), calls);
    }
};

TEST(ControllerFaults, PulledOutAtAnyStepOfADmxFrameTurnsOutputOffAndTellsTheUserOnce)
{
    // Cut in the break byte, the start code, the first level, the middle and the last level.
    for (const std::uint64_t after : {0u, 1u, 2u, 300u, 513u}) {
        SCOPED_TRACE(after);
        DmxBench dmx;
        dmx.box.setChecked(true);
        dmx.clock.advanceBy(2 * kDmxFramePeriodMs * kMs);
        dmx.devices.unplugAfterBytes(after);
        dmx.clock.advanceBy(2 * kDmxFramePeriodMs * kMs);
        EXPECT_THAT(dmx.presenter.texts(),
                    ElementsAre(toldAfterFault(kDmxWriteFailedText, DeviceFault::Kind::Gone)));
        dmx.expectOutputOff();
        const FixtureLog heard = dmx.heard();
        const auto frames = heard.dmxFrames();
        EXPECT_LE(frames.size(), 3u); // two whole frames, then at most the start of the one cut short
        EXPECT_EQ(std::count_if(frames.begin(), frames.end(),
                                [](const WireFrame* f) { return f->bytes.size() == 513; }),
                  2);
    }
}

TEST(ControllerFaults, DmxOutputWithTheControllerGoneSinceStartUpIsRefusedOnceAndWorksWhenItIsBack)
{
    DmxBench dmx;
    dmx.devices.detach(kPort);
    dmx.box.setChecked(true);
    EXPECT_THAT(dmx.presenter.texts(),
                ElementsAre(toldAfterFault(kDmxOpenFailedText, DeviceFault::Kind::Gone)));
    dmx.expectOutputOff();

    dmx.devices.attach({.identity = kPort});
    dmx.presenter.clear();
    dmx.box.setChecked(true);
    dmx.clock.advanceBy(3 * kDmxFramePeriodMs * kMs);
    EXPECT_TRUE(dmx.presenter.shown.empty());
    EXPECT_EQ(dmx.heard().dmxFrames().size(), 3u);
}

} // namespace
} // namespace sus::test
