// SPDX-License-Identifier: Apache-2.0
#include "tests/update/UpdateRunBench.h"
#include "update/RunPlan.h"

#include "update/UpdateMessages.h"
#include "update/UpdateRunListener.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace sus::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<int> Repeat(std::vector<int> pattern, int times)
{
    std::vector<int> result;
    for (int i = 0; i < times; ++i)
        result.insert(result.end(), pattern.begin(), pattern.end());
    return result;
}

std::vector<int> Concat(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> result;
    for (const auto& p : parts)
        result.insert(result.end(), p.begin(), p.end());
    return result;
}

class UpdateSequencer : public ::testing::Test, protected UpdateRunBench {
protected:
    void start(const std::string& password = kPassword)
    {
        view.password = password;
        page.SpeedButton2Click();
    }
};

TEST_F(UpdateSequencer, RunOfTwoFilesSendsThePacketsInOrderAndTheFixtureGetsBothImagesExactly)
{
    const auto first = FileWithData(300, 1);
    const auto second = FileWithData(100, 7);
    queue(first, "first.MVT");
    queue(second, "second.MVT");
    start();
    runToEnd();

    EXPECT_THAT(packetTypes(),
                ElementsAreArray(Concat(
                    {{0}, Repeat({1, 2, 3}, 21), {4, 4, 16, 16, 17, 17, 5}, {0, 4, 4, 16, 16, 5, 6}})));
    const UpdateReception got = reception();
    EXPECT_EQ(got.wakeUpFrames, 41u);
    EXPECT_EQ(got.badPackets, 0u);
    ASSERT_EQ(got.files.size(), 2u);
    EXPECT_TRUE(got.files[0].matches(UpdateImage(first.bytes()), first.key()));
    EXPECT_TRUE(got.files[1].matches(UpdateImage(second.bytes()), second.key()));
    EXPECT_TRUE(got.files[0].blocksInOrder && got.files[1].blocksInOrder);
    EXPECT_EQ(got.files[0].newVersion(), 0x12);
    EXPECT_EQ(got.files[0].identifyPackets, 63u);
    EXPECT_EQ(got.files[1].identifyPackets, 0u);
    EXPECT_TRUE(got.finished);
    EXPECT_FALSE(got.aborted);

    EXPECT_THAT(presenter.texts(), ElementsAre(std::string(kUpdateFinished)));
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(timer1->isEnabled());
    EXPECT_TRUE(view.startEnabled);
    EXPECT_FALSE(view.stopEnabled);
    EXPECT_EQ(view.selected, 1);
    EXPECT_EQ(dmx.turnedOff, 1);
    EXPECT_TRUE(dmx.available);
}

// What the run's plan says a run takes, before it starts, is what the run then takes on the line.
TEST(UpdateRunLength, IsWhatTheSimulatedRunTakesToTheMillisecond)
{
    struct Case {
        const char* name;
        std::vector<std::size_t> dataLengths;
        int selected;
    };
    const Case cases[] = {
        {"one file", {300}, -1},
        {"two files", {300, 5000}, -1},
        {"from the second of three on", {100, 2000, 700}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UpdateRunBench bench;
        for (std::size_t i = 0; i < c.dataLengths.size(); ++i)
            bench.queue(FileWithData(c.dataLengths[i]), "f" + std::to_string(i) + ".MVT");
        bench.view.selected = c.selected;
        bench.view.password = kPassword;
        const std::optional<RunLength> length = lengthWhenPasswordsAreRight(bench.view.files, c.selected);
        ASSERT_TRUE(length);
        const std::int64_t startNs = bench.clock.nowNs();
        bench.page.SpeedButton2Click();
        bench.runToEnd();
        EXPECT_EQ(bench.clock.nowNs() - startNs, length->totalMs * kMs);
    }
}

TEST_F(UpdateSequencer, FileSizesAtBlockEdgesGetAZeroBlockWhereTheDataEndsOnAMultipleOf256)
{
    struct Case {
        std::size_t dataLength;
        std::vector<std::uint16_t> blocks;
    };
    for (const Case& c : {Case{0, {16, 16}}, Case{256, {16, 16, 17, 17}}, Case{257, {16, 16, 17, 17}}}) {
        UpdateRunBench bench;
        const auto file = FileWithData(c.dataLength);
        bench.queue(file, "f.MVT");
        bench.view.password = kPassword;
        bench.page.SpeedButton2Click();
        bench.runToEnd();
        const auto got = bench.reception();
        ASSERT_EQ(got.files.size(), 1u) << c.dataLength;
        EXPECT_EQ(got.files[0].blockTypes, c.blocks) << c.dataLength;
        EXPECT_TRUE(got.files[0].matches(UpdateImage(file.bytes()), file.key())) << c.dataLength;
        // Past the data the blocks carry plain zeros.
        EXPECT_TRUE(std::all_of(got.files[0].image.begin() + static_cast<std::ptrdiff_t>(c.dataLength),
                                got.files[0].image.end(), [](std::uint8_t b) { return b == 0; }));
    }
}

TEST_F(UpdateSequencer, WrongPasswordOrUnreadableSecondFileStopsTheRunAfterTheFirst)
{
    for (const bool unreadable : {false, true}) {
        UpdateRunBench bench;
        bench.queue(FileWithData(20), "good.MVT");
        if (unreadable)
            bench.view.files.push_back(utf8Of(bench.dir / "missing.MVT"));
        else
            bench.queue(FileWithData(20).keyBytes({1, 2, 3, 4, 5, 6}), "other.MVT");
        bench.view.password = kPassword;
        bench.page.SpeedButton2Click();
        bench.runToEnd();

        const auto got = bench.reception();
        ASSERT_EQ(got.files.size(), 1u);
        EXPECT_TRUE(got.files[0].ended);
        EXPECT_FALSE(got.finished);
        EXPECT_FALSE(got.aborted);
        ASSERT_EQ(bench.presenter.shown.size(), 1u);
        const std::string& text = bench.presenter.shown[0].text;
        if (unreadable)
            EXPECT_EQ(text.rfind(std::string(kCanNotOpenTheFile), 0), 0u) << text;
        else
            EXPECT_EQ(text, kPasswordWrong);
        EXPECT_FALSE(bench.link.isOpen());
        EXPECT_FALSE(bench.timer1->isEnabled());
        EXPECT_EQ(bench.sequencer.script()->state(), SequencerState::NextFile);
        EXPECT_FALSE(bench.view.startEnabled);
        EXPECT_TRUE(bench.view.stopEnabled);
        EXPECT_EQ(bench.view.selected, 1); // the next Start begins with the failing file
        EXPECT_TRUE(bench.dmx.available);
    }
}

TEST_F(UpdateSequencer, StopSendsAbortAtTheNextTickAndClosesTheLinkAtTheOneAfter)
{
    queue(FileWithData(2000), "f.MVT");
    start();
    clock.runUntil(
        [&] {
            return sequencer.script()->state() == SequencerState::DataBlockAgain &&
                   sequencer.script()->blockCounter() == 18;
        },
        clock.nowNs() + 60'000 * kMs);
    // Stop between the two copies of block 18: the second copy is never sent.
    page.SpeedButton3Click();
    EXPECT_EQ(view.progress, 0);
    EXPECT_TRUE(view.startEnabled);
    EXPECT_FALSE(view.stopEnabled);
    const std::int64_t stoppedAt = clock.nowNs();
    clock.runNextTick();
    EXPECT_TRUE(link.isOpen());
    clock.runNextTick();
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(timer1->isEnabled());
    EXPECT_FALSE(sequencer.runActive());

    const auto log = heard();
    ASSERT_GE(log.packets.size(), 2u);
    const WirePacket& abort = log.packets.back();
    const WirePacket& block = log.packets[log.packets.size() - 2];
    EXPECT_EQ(abort.type, 7);
    EXPECT_EQ(block.type, 18);
    EXPECT_EQ(abort.startNs - stoppedAt, 20 * kMs);
    // The abort carries the first 32 payload bytes of the block built last.
    const auto blockPayload = block.payload();
    EXPECT_EQ(abort.payload(), std::vector<std::uint8_t>(blockPayload.begin(), blockPayload.begin() + 32));
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(UpdateSequencer, EmptyQueueWakesTheFixtureThenFinishesWithAnAllZeroFinishUpdate)
{
    start();
    // The message is on screen before FinishUpdate goes out.
    std::size_t packetsWhileShown = 99;
    presenter.whileShown = [&](const RecordingPresenter::Shown&) {
        packetsWhileShown = heard().packets.size();
    };
    runToEnd();
    EXPECT_EQ(packetsWhileShown, 0u);
    const auto log = heard();
    EXPECT_EQ(log.wakeUpFrames().size(), 41u);
    ASSERT_EQ(log.packets.size(), 1u);
    EXPECT_EQ(log.packets[0].type, 6);
    EXPECT_EQ(log.packets[0].payload(), std::vector<std::uint8_t>(32, 0));
    EXPECT_THAT(presenter.texts(), ElementsAre(std::string(kUpdateFinished)));
}

TEST_F(UpdateSequencer, EmptyPasswordChangesNothing)
{
    queue(FileWithData(10), "f.MVT");
    start("");
    EXPECT_THAT(presenter.texts(), ElementsAre(std::string(kEnterThePassword)));
    EXPECT_EQ(dmx.turnedOff, 0);
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(timer1->isEnabled());
    EXPECT_FALSE(sequencer.runActive());
}

// What the run does when things go wrong: it stops, says so, and never reports success.

TEST_F(UpdateSequencer, ALinkThatCannotOpenStopsTheRunBeforeItStartsAndSaysWhy)
{
    for (const auto kind : kFaultKinds) {
        UpdateRunBench bench;
        bench.queue(FileWithData(10), "f.MVT");
        bench.view.password = kPassword;
        bench.devices.setOpenable("ttyUSB0", false, kind);
        bench.page.SpeedButton2Click();
        EXPECT_THAT(bench.presenter.texts(), ElementsAre(toldAfterFault(kControllerNotOpened, kind)));
        EXPECT_FALSE(bench.timer1->isEnabled());
        EXPECT_FALSE(bench.sequencer.runActive());
        EXPECT_TRUE(bench.view.startEnabled);
        EXPECT_FALSE(bench.view.stopEnabled);
        EXPECT_TRUE(bench.dmx.available);
    }
}

TEST(UpdateSequencerWithoutController, StartSaysWhyDiscoveryCouldNotExamineADevice)
{
    UpdateRunBench bench(
        {.identity = "ttyUSB0", .openable = false, .refusal = DeviceFault::Kind::PermissionDenied});
    ASSERT_FALSE(bench.link.controllerFound());
    bench.queue(FileWithData(10), "f.MVT");
    bench.view.password = kPassword;
    bench.page.SpeedButton2Click();
    EXPECT_THAT(bench.presenter.texts(),
                ElementsAre(toldAfterFault(kControllerNotOpened, DeviceFault::Kind::PermissionDenied)));
    EXPECT_FALSE(bench.sequencer.runActive());
}

TEST_F(UpdateSequencer, ControllerUnpluggedMidRunEndsItAtOnceWithoutTheFinishMessage)
{
    for (const std::int64_t unplugMs : {500, 4200, 6000, 6200}) { // wake-up, handshake, header, blocks
        UpdateRunBench bench;
        bench.queue(FileWithData(3000), "f.MVT");
        bench.view.password = kPassword;
        bench.page.SpeedButton2Click();
        bench.devices.unplugAtTime(unplugMs * kMs);
        bench.runToEnd();
        EXPECT_THAT(bench.presenter.texts(),
                    ElementsAre(toldAfterFault(kControllerLost, DeviceFault::Kind::Gone)))
            << unplugMs;
        EXPECT_FALSE(bench.link.isOpen());
        EXPECT_FALSE(bench.timer1->isEnabled());
        EXPECT_TRUE(bench.view.startEnabled);
        EXPECT_FALSE(bench.view.stopEnabled);
        EXPECT_EQ(bench.view.progress, 0);
        EXPECT_FALSE(bench.reception().finished);
        EXPECT_TRUE(bench.dmx.available);
    }
}

TEST_F(UpdateSequencer, ClosingTheWindowMidRunSendsAbortThenClosesTheLink)
{
    queue(FileWithData(3000), "f.MVT");
    start();
    clock.advanceBy(6300 * kMs);
    ASSERT_TRUE(sequencer.runActive());
    sequencer.abortForWindowClose();
    files.releaseUpdateImage();
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(timer1->isEnabled());
    EXPECT_FALSE(sequencer.runActive());
    EXPECT_EQ(heard().packets.back().type, 7);
    clock.advanceBy(10'000 * kMs); // nothing more happens
    EXPECT_EQ(heard().packets.back().type, 7);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(UpdateSequencer, DmxOutputStaysUnavailableFromStartUntilTheRunEnds)
{
    queue(FileWithData(10), "f.MVT");
    start();
    EXPECT_EQ(dmx.turnedOff, 1);
    EXPECT_FALSE(dmx.available);
    clock.advanceBy(5000 * kMs);
    EXPECT_FALSE(dmx.available);
    runToEnd();
    EXPECT_TRUE(dmx.available);
}

TEST_F(UpdateSequencer, RunsQueuesLongerThan255Files)
{
    const auto file = FileWithData(0);
    const std::string path = queue(file, "f.MVT");
    view.files.assign(300, path);
    start();
    runToEnd();
    const auto got = reception();
    EXPECT_EQ(got.files.size(), 300u);
    EXPECT_TRUE(got.finished);
}

TEST_F(UpdateSequencer, AFileNeedingBlockNumbersPast65535IsRefusedBeforeAnythingOfItIsSent)
{
    EXPECT_EQ(LastDataBlockFor(kMaximumSendableFileSize), 0xFFFFu);
    EXPECT_EQ(LastDataBlockFor(kMaximumSendableFileSize + 1), 0x10000u);

    queue(FileWithData(10), "small.MVT");
    queue(FileWithData(kMaximumSendableFileSize + 1 - 144), "huge.MVT");
    start();
    runToEnd();
    const auto got = reception();
    EXPECT_EQ(got.files.size(), 1u); // the small one; nothing of the huge one
    EXPECT_FALSE(got.finished);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_NE(presenter.shown[0].text.find("16773263"), std::string::npos) << presenter.shown[0].text;
}

// What a listener heard, in order: "started", then "ended" with the outcome's number.
struct RecordingRunListener : UpdateRunListener {
    void updateRunStarted(const RunRequest&) override { heard.push_back("started"); }
    void updateRunEnded(const RunProgress& progress) override
    {
        heard.push_back("ended " + std::to_string(static_cast<int>(progress.outcome)));
    }
    std::vector<std::string> heard;
};

std::vector<std::string> startedThenEnded(RunOutcome outcome)
{
    return {"started", "ended " + std::to_string(static_cast<int>(outcome))};
}

TEST_F(UpdateSequencer, StopOnceFinishUpdateIsOutSendsNothingAndTheRunCountsAsFinished)
{
    for (const bool windowCloses : {false, true}) {
        UpdateRunBench bench;
        RecordingRunListener listener;
        bench.sequencer.addListener(listener);
        bench.view.password = kPassword;
        bench.page.SpeedButton2Click();
        // Between the tick that sent FinishUpdate and the tick that closes the link.
        bench.clock.runUntil([&] { return !bench.heard().packets.empty(); },
                             bench.clock.nowNs() + 10'000 * kMs);
        ASSERT_EQ(bench.heard().packets.back().type, 6);
        ASSERT_TRUE(bench.sequencer.runActive());
        if (windowCloses)
            bench.sequencer.abortForWindowClose();
        else
            bench.page.SpeedButton3Click();
        bench.runToEnd();

        const auto packets = bench.heard().packets;
        EXPECT_EQ(packets.back().type, 6) << "no AbortUpdate after FinishUpdate";
        EXPECT_EQ(bench.sequencer.lastOutcome(), RunOutcome::Finished);
        EXPECT_FALSE(bench.link.isOpen());
        EXPECT_EQ(listener.heard, startedThenEnded(RunOutcome::Finished));
    }
}

TEST_F(UpdateSequencer, TellsHowTheLastRunEnded)
{
    enum class Case {
        Finished,
        EmptyPassword,
        PasswordWrong,
        Missing,
        CannotOpen,
        Unplugged,
        Stopped,
        WindowClosed
    };
    const std::pair<Case, RunOutcome> cases[] = {
        {Case::Finished, RunOutcome::Finished},
        {Case::EmptyPassword, RunOutcome::EmptyPassword},
        {Case::PasswordWrong, RunOutcome::PasswordWrong},
        {Case::Missing, RunOutcome::FileRefused},
        {Case::CannotOpen, RunOutcome::LinkFailed},
        {Case::Unplugged, RunOutcome::LinkFailed},
        {Case::Stopped, RunOutcome::Stopped},
        {Case::WindowClosed, RunOutcome::Stopped},
    };
    for (const auto& [which, expected] : cases) {
        UpdateRunBench bench;
        RecordingRunListener listener;
        bench.sequencer.addListener(listener);
        EXPECT_EQ(bench.sequencer.lastOutcome(), RunOutcome::None);
        bench.queue(FileWithData(3000), "f.MVT");
        if (which == Case::Missing)
            bench.view.files[0] += ".gone";
        if (which == Case::CannotOpen)
            bench.devices.setOpenable("ttyUSB0", false);
        if (which == Case::Unplugged)
            bench.devices.unplugAtTime(6200 * kMs);
        bench.view.password = which == Case::EmptyPassword   ? ""
                              : which == Case::PasswordWrong ? "452DB9"
                                                             : kPassword;
        bench.page.SpeedButton2Click();
        if (which == Case::Stopped || which == Case::WindowClosed) {
            bench.clock.advanceBy(6300 * kMs);
            EXPECT_EQ(bench.sequencer.lastOutcome(), RunOutcome::None); // still going
            if (which == Case::Stopped)
                bench.page.SpeedButton3Click();
            else
                bench.sequencer.abortForWindowClose();
        }
        bench.runToEnd();
        EXPECT_EQ(bench.sequencer.lastOutcome(), expected) << static_cast<int>(which);
        // Every run that started is told to have ended once, with its outcome; an empty password
        // starts none.
        EXPECT_EQ(listener.heard,
                  which == Case::EmptyPassword ? std::vector<std::string>{} : startedThenEnded(expected))
            << static_cast<int>(which);
        // Stop once the run has ended only resets the page; the outcome stays.
        bench.page.SpeedButton3Click();
        EXPECT_EQ(bench.sequencer.lastOutcome(), expected) << static_cast<int>(which);
    }
}

} // namespace
} // namespace sus::test
