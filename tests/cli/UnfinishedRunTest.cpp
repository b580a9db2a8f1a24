// SPDX-License-Identifier: Apache-2.0
// What send says of a run that did not finish, from the run's last progress: a file cut mid-way is
// hard to reach on the simulated line in a test's time, so the summary is read off progress as the
// sequencer leaves it.
#include "cli/UnfinishedRun.h"
#include "cli/SendAgain.h"

#include <QCommandLineParser>

#include <gtest/gtest.h>

namespace sus::test {
namespace {

TEST(UnfinishedRun, NamesWhatWasCutHowMuchWentOutAndTheCommandThatSendsTheRestAgain)
{
    const std::vector<std::string> files = {"a.MVT", "b.MVT", "c d.MVT"};
    RunProgress cut;
    cut.fileIndex = 1;
    cut.filePath = "b.MVT";
    cut.fileNumber = 2;
    cut.filesInRun = 3;
    cut.fileSize = 1144;
    cut.fileSent = 572;
    cut.sent = {.wakeUpFrames = 41, .packets = 90, .filesWhole = 1, .abortUpdate = true};
    cut.ending = RunEnding::Stopped;
    cut.outcome = RunOutcome::Stopped;
    RunProgress between = cut;
    between.fileIndex = 0;
    between.filePath = "a.MVT";
    between.fileNumber = 1;
    between.sent.abortUpdate = false;
    between.ending = RunEnding::LinkFailed;
    between.outcome = RunOutcome::LinkFailed;
    RunProgress finished = cut;
    finished.outcome = RunOutcome::Finished;
    struct Case {
        const char* name;
        QStringList options;
        RunProgress progress;
        bool interrupted;
        std::string said;
    };
    const Case cases[] = {
        {"cut mid-file, each file its password",
         {"--simulate", "--password", "111111", "--password", "222222", "--password", "333333", "--capture",
          "it's.log"},
         cut,
         true,
         "Stopped by Ctrl+C during b.MVT, with 572 of 1144 bytes of it out (50%); the 1 file(s) before it "
         "were "
         "sent whole. AbortUpdate went out.\nb.MVT must be sent again from its start: mvt send --simulate "
         "--password \u2026 --password \u2026 --capture 'it'\\''s.log' b.MVT 'c d.MVT'"},
        {"unplugged between files, one password for all",
         {"--password", "111111", "--port", "/dev/ttyUSB0"},
         between,
         false,
         "The run ended after a.MVT; the 1 file(s) up to it were sent whole. No AbortUpdate went out.\nThe "
         "files "
         "after it are still to be sent: mvt send --password \u2026 --port /dev/ttyUSB0 b.MVT 'c d.MVT'"},
        {"Ctrl+C as the run finished",
         {"--simulate"},
         finished,
         true,
         "Ctrl+C came as the run finished: every file was sent and the fixture told to reset."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QCommandLineParser parser;
        parser.addOptions(
            {{"password", "", "P"}, {"capture", "", "OUT"}, {"port", "", "NAME"}, {"simulate", ""}});
        QStringList arguments = QStringList{"mvt send"} + c.options;
        for (const std::string& file : files)
            arguments.append(QString::fromStdString(file));
        ASSERT_TRUE(parser.parse(arguments)) << parser.errorText().toStdString();
        const std::string said = cli::unfinishedRunText(c.progress, c.interrupted, [&](std::size_t from) {
            return cli::sendAgainCommand(parser, files, from);
        });
        EXPECT_EQ(said, c.said);
    }
}

} // namespace
} // namespace sus::test
