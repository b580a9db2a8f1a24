// SPDX-License-Identifier: Apache-2.0
// The machine kept awake from Start until the run has ended, however it ends, in virtual time.
#include "update/AwakeWhileRunning.h"
#include "tests/support/FakeKeepAwake.h"
#include "tests/update/UpdateRunBench.h"

#include <gtest/gtest.h>

#include <functional>

namespace sus::test {
namespace {

struct KeptAwakeRun : UpdateRunBench {
    KeptAwakeRun() { sequencer.addListener(awake); }

    void start(const std::string& password = kPassword)
    {
        view.password = password;
        page.SpeedButton2Click();
    }

    FakeKeepAwake keepAwake;
    std::vector<KeepAwake::Answer> answers;
    AwakeWhileRunning awake{keepAwake,
                            [this](const KeepAwake::Answer& answer) { answers.push_back(answer); }};
};

TEST(AwakeWhileRunning, HeldFromStartUntilTheRunHasEndedHoweverItEnds)
{
    struct Case {
        const char* ending;
        const char* password;
        std::function<void(KeptAwakeRun&)> end; // mid-run, 6.3 s after Start
        RunOutcome outcome;
    };
    const Case cases[] = {
        {"finished", kPassword, [](KeptAwakeRun&) {}, RunOutcome::Finished},
        {"stopped", kPassword, [](KeptAwakeRun& run) { run.page.SpeedButton3Click(); }, RunOutcome::Stopped},
        {"a file refused", "123456", [](KeptAwakeRun&) {}, RunOutcome::PasswordWrong},
        {"the controller unplugged", kPassword, [](KeptAwakeRun& run) { run.devices.detach("ttyUSB0"); },
         RunOutcome::LinkFailed},
        {"the window closed", kPassword, [](KeptAwakeRun& run) { run.sequencer.abortForWindowClose(); },
         RunOutcome::Stopped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ending);
        KeptAwakeRun run;
        run.queue(FileWithData(3000), "f.MVT");
        run.start(c.password);
        EXPECT_TRUE(run.keepAwake.held);
        run.clock.advanceBy(6300 * kMs);
        EXPECT_EQ(run.keepAwake.held, run.sequencer.runActive());
        c.end(run);
        run.runToEnd();
        EXPECT_EQ(run.sequencer.lastOutcome(), c.outcome);
        EXPECT_FALSE(run.keepAwake.held);
        EXPECT_EQ(run.keepAwake.holds, 1);
    }
    // An empty password box is no run: nothing is asked for.
    KeptAwakeRun refused;
    refused.start("");
    EXPECT_EQ(refused.keepAwake.holds, 0);
}

} // namespace
} // namespace sus::test
