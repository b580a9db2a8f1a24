// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/CountedTimer.h"
#include "cli/DmxLevels.h"
#include "cli/ExitCodes.h"
#include "cli/HeadlessDmx.h"
#include "cli/LineOptions.h"
#include "cli/LineSession.h"
#include "cli/OptionTable.h"
#include "cli/TerminalPresenter.h"
#include "dmx/DmxOutputLoop.h"
#include "dmx/DmxUniverse.h"

#include <iostream>
#include <limits>

namespace sus::cli {

int runDmx(const QStringList& arguments)
{
    CommandParser command(
        QStringLiteral("dmx"),
        QStringLiteral("Sends DMX512 frames, one every %1 ms as \"DMX Output\" does: a break, the start code "
                       "0 and the levels of channels 1 to %2. Levels not set are 0.")
            .arg(kDmxFramePeriodMs)
            .arg(kSentLevelCount));
    const QCommandLineOption address =
        sharedOption(SharedOption::Address, QStringLiteral("--set channel c goes to DMX channel A + c - 1"));
    const QCommandLineOption set(
        QStringLiteral("set"),
        QStringLiteral("Channel levels, channels 1 to 512, levels 0 to 255; the option "
                       "may be given more than once."),
        QStringLiteral("CH=LEVEL[,CH=LEVEL...]"));
    const QCommandLineOption frames(QStringLiteral("frames"),
                                    QStringLiteral("Send N frames, then stop (default: until Ctrl+C)."),
                                    QStringLiteral("N"));
    command.parser().addOptions({address, set, frames});
    const LineOptionParser lineOptions(command.parser());
    if (const auto status = command.parse(arguments))
        return *status;
    QCommandLineParser& parser = command.parser();

    if (!parser.positionalArguments().isEmpty())
        return command.usageError(
            QStringLiteral("Unexpected argument \"%1\".").arg(parser.positionalArguments().front()));
    QString error;
    const auto slotLevels = readSlotLevels(addressText(parser), parser.values(set), error);
    if (!slotLevels)
        return command.usageError(error);
    DmxUniverse universe;
    for (const SlotLevel& entry : *slotLevels)
        universe.setLevel(entry.slot, entry.level);
    std::optional<int> frameCount;
    if (parser.isSet(frames)) {
        frameCount = readNumber(parser.value(frames), 1, std::numeric_limits<int>::max());
        if (!frameCount)
            return command.usageError(
                QStringLiteral("Frames \"%1\" is not a number of at least 1.").arg(parser.value(frames)));
    }
    const std::optional<LineOptions> line = lineOptions.read(error);
    if (!line)
        return command.usageError(error);
    if (!line->inRealTime() && !frameCount)
        return command.usageError(
            QStringLiteral("--simulate needs --frames N, or --realtime: in virtual time "
                           "frames without end would never let the command finish."));

    TerminalPresenter presenter(std::cout, std::cerr, "dmx");
    LineSession session(*line, presenter);
    if (!session.link().controllerFound()) {
        std::cerr << commandPrefix("dmx") << session.noControllerText() << '\n';
        return exit_code::kNoController;
    }

    session.sayHowTheLineRuns(std::cerr, "dmx");
    LineHost& lineHost = session.pacer().line();
    CountedTimer timer2(lineHost.createTimer(),
                        frameCount ? *frameCount : std::numeric_limits<std::int64_t>::max());
    OutputBox box;
    LinkTurns turns(session.link());
    DmxOutputLoop loop(session.link(), turns, timer2, presenter, universe, box, lineHost.threads());
    box.attach(loop);

    box.setChecked(true);
    session.pacer().runUntil([&] { return !box.checked() || timer2.reachedLastTick(); });
    // Output that stopped by itself could not open the controller or lost it; the loop said so.
    const bool failed = !box.checked();
    box.setChecked(false);
    lineHost.stop();

    const bool captured = session.saveCapture(std::cerr, "dmx");
    if (failed)
        return exit_code::kNoController;
    return captured ? exit_code::kSuccess : exit_code::kFailure;
}

} // namespace sus::cli
