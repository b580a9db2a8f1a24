// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/FileChecks.h"
#include "cli/LineOptions.h"
#include "cli/OptionTable.h"
#include "cli/ProgressLine.h"
#include "cli/SendAgain.h"
#include "cli/SendRecord.h"
#include "cli/SessionUpdate.h"
#include "cli/Terminal.h"
#include "cli/TerminalPresenter.h"
#include "cli/UnfinishedRun.h"
#include "link/machine/SystemKeepAwake.h"
#include "update/AwakeWhileRunning.h"
#include "update/RunPlan.h"
#include "update/UpdateMessages.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>

namespace sus::cli {

int runSend(const QStringList& arguments)
{
    CommandParser command(
        QStringLiteral("send"),
        QStringLiteral(
            "Runs one update over the files in the order given, as the window's Start does with the first of "
            "them selected and the password in the password box: wake-up frames, then each file, then the "
            "reset of the fixture. First every file is checked as check does, and nothing is sent when one "
            "would stop the run. The finish message is printed on standard output, every other message on "
            "standard error."));
    const UpdateFileArguments fileArguments(command.parser());
    const QCommandLineOption noCheck(
        QStringLiteral("no-check"),
        QStringLiteral(
            "Check each file only when its turn comes, as the window does: the files before a refused "
            "one are sent."));
    command.parser().addOption(noCheck);
    const LineOptionParser lineOptions(command.parser());
    addSharedOption(command.parser(), SharedOption::Report, QStringLiteral("the run"));
    if (const auto status = command.parse(arguments))
        return *status;

    QString error;
    const auto given = fileArguments.read(error);
    if (!given)
        return command.usageError(error);
    const std::vector<std::string>& files = given->paths;
    const std::vector<std::string>& passwords = given->passwords;
    const std::optional<LineOptions> line = lineOptions.read(error);
    if (!line)
        return command.usageError(error);
    const std::optional<std::string> reportPath = readReportPath(command.parser(), error);
    if (!reportPath)
        return command.usageError(error);
    SendRecord record(*reportPath, files, passwords);
    // An empty password is the run's own first refusal, before any file is read.
    const bool passwordsTyped =
        !passwords.empty() && std::ranges::none_of(passwords, [](const std::string& p) { return p.empty(); });
    const bool checked = passwordsTyped && !command.parser().isSet(noCheck);
    if (checked) {
        const FilesCheck check = checkFiles(files, passwords);
        if (check.exitStatus != exit_code::kSuccess) {
            for (const std::size_t index : check.problems)
                std::cerr << commandPrefix("send") << check.lines[index] << '\n';
            std::cerr << commandPrefix("send") << "Nothing was sent.\n";
            record.refusedBeforeRun(check.problems);
            return record.finish(check.exitStatus);
        }
    }

    // A record on standard output is the whole of it: the finish message goes with the others then.
    TerminalPresenter presenter(std::cout, std::cerr, "send",
                                record.onOutput() ? std::vector<std::string>{}
                                                  : std::vector<std::string>{std::string(kUpdateFinished)});
    LineSession session(*line, presenter);
    if (!session.link().controllerFound()) {
        std::cerr << commandPrefix("send") << session.noControllerText() << '\n';
        return record.finish(exit_code::kNoController);
    }

    session.sayHowTheLineRuns(std::cerr, "send");
    SessionUpdate update(session, presenter);
    UpdateSequencer& sequencer = update.sequencer();
    record.setPort(session.link().controllerIdentity());
    sequencer.addListener(record);
    // A run in virtual time takes no time: there is nothing to keep awake for.
    std::unique_ptr<KeepAwake> keepAwake;
    std::optional<AwakeWhileRunning> awake;
    if (line->inRealTime()) {
        keepAwake = record.keptAwakeBy(makeSystemKeepAwake("mvt"));
        awake.emplace(*keepAwake, [&presenter, verbose = line->verbose](const KeepAwake::Answer& answer) {
            if (!answer.held)
                presenter.showMessage(machineMaySleepText(answer));
            else if (verbose)
                presenter.showMessage("The computer is kept awake until the run ends.");
        });
        sequencer.addListener(*awake);
    }
    std::optional<ProgressLine> progress;
    if (errorStreamIsTerminal()) {
        progress.emplace(std::cerr);
        sequencer.addListener(*progress);
        // Every message of a run comes as it ends: the bar has nothing more to show.
        presenter.setBeforeMessage([&] { progress->close(); });
    }

    const auto runEnded = [&] { return update.ended(); };
    // Once the passwords are known to be right, the run's length is known to the millisecond.
    if (const std::optional<RunLength> length =
            checked ? lengthWhenPasswordsAreRight(files, 0) : std::nullopt)
        std::cerr << commandPrefix("send") << "the run takes " << runLengthText(*length) << ".\n";
    update.start(files, passwords);
    const bool interrupted = session.pacer().runUntil(runEnded) == Pacer::RunEnd::Interrupted;
    if (interrupted) {
        // As the Stop button: AbortUpdate at the next tick, the link closed at the one after.
        if (progress)
            progress->close();
        sequencer.stop();
        session.pacer().runUntil(runEnded);
    }
    session.pacer().line().stop();
    if (progress)
        progress->close();
    // A run that began and did not finish leaves work to do; the run's own message said why it ended.
    const RunProgress& last = sequencer.lastProgress();
    if (interrupted || (last.outcome != RunOutcome::Finished && last.sent.wakeUpFrames > 0))
        std::cerr << commandPrefix("send") << unfinishedRunText(last, interrupted, [&](std::size_t from) {
            return sendAgainCommand(command.parser(), files, from);
        }) << '\n';

    const bool captured = session.saveCapture(std::cerr, "send");
    const int status = exitStatusFor(sequencer.lastOutcome());
    return record.finish(status == exit_code::kSuccess && !captured ? exit_code::kFailure : status);
}

} // namespace sus::cli
