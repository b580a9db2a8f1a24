// SPDX-License-Identifier: Apache-2.0
#include "cli/LineOptions.h"

#include "cli/OptionTable.h"

namespace sus::cli {

LineOptionParser::LineOptionParser(QCommandLineParser& parser) : parser_(parser)
{
    addSharedOption(parser, SharedOption::Simulate,
                    QStringLiteral("in virtual time: the run ends at once and its capture is the same every "
                                   "time"));
    addSharedOption(parser, SharedOption::Realtime);
    addSharedOption(parser, SharedOption::Port,
                    QStringLiteral("the controller (always real time). Without it and without --simulate, "
                                   "the controller that discovery finds is used"));
    addSharedOption(parser, SharedOption::Capture, QStringLiteral("what went on the TX line"));
    addSharedOption(parser, SharedOption::Verbose);
}

std::optional<LineOptions> LineOptionParser::read(QString& error) const
{
    LineOptions options;
    options.simulate = isSet(parser_, SharedOption::Simulate);
    options.realtime = isSet(parser_, SharedOption::Realtime);
    options.verbose = isSet(parser_, SharedOption::Verbose);

    if (options.simulate && isSet(parser_, SharedOption::Port)) {
        error =
            QStringLiteral("--simulate and --port exclude each other: choose the simulated controller or a "
                           "real one.");
        return std::nullopt;
    }
    if (options.realtime && !options.simulate) {
        error = QStringLiteral("--realtime paces the simulated controller and goes with --simulate; a real "
                               "controller always runs in real time.");
        return std::nullopt;
    }
    const std::optional<std::string> port = readPort(parser_, error);
    if (!port)
        return std::nullopt;
    options.port = *port;
    const std::optional<std::string> capture = readCapturePath(parser_, error);
    if (!capture)
        return std::nullopt;
    options.capturePath = *capture;
    return options;
}

} // namespace sus::cli
