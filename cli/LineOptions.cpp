// SPDX-License-Identifier: Apache-2.0
#include "cli/LineOptions.h"

#include "core/Utf8Path.h"

#include <fstream>

namespace sus::cli {

LineOptionParser::LineOptionParser(QCommandLineParser& parser)
    : parser_(parser),
      simulate_(
          QStringLiteral("simulate"),
          QStringLiteral("Use the simulated controller in virtual time: the run ends at once and its capture "
                         "is the same every time.")),
      realtime_(QStringLiteral("realtime"),
                QStringLiteral("With --simulate, pace the run by the wall clock instead of virtual time.")),
      port_(QStringLiteral("port"),
            QStringLiteral(
                "The controller's serial port (always real time). Without it and without --simulate, "
                "the controller that discovery finds is used."),
            QStringLiteral("NAME")),
      capture_(QStringLiteral("capture"),
               QStringLiteral("Save what went on the TX line: a VCD when OUT ends in .vcd, otherwise a text "
                              "wire log (<t_ns> <baud> <parity> <HEX> per write)."),
               QStringLiteral("OUT")),
      verbose_(QStringLiteral("verbose"),
               QStringLiteral("Say how the line runs: what its thread got of the processors and, for send, "
                              "whether the computer is kept awake."))
{
    parser.addOptions({simulate_, realtime_, port_, capture_, verbose_});
}

std::optional<LineOptions> LineOptionParser::read(QString& error) const
{
    LineOptions options;
    options.simulate = parser_.isSet(simulate_);
    options.realtime = parser_.isSet(realtime_);
    options.port = parser_.value(port_).toStdString();
    options.capturePath = parser_.value(capture_).toStdString();
    options.verbose = parser_.isSet(verbose_);

    if (options.simulate && parser_.isSet(port_)) {
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
    if (parser_.isSet(port_) && options.port.empty()) {
        error = QStringLiteral("--port needs the name of a serial port.");
        return std::nullopt;
    }
    if (parser_.isSet(capture_)) {
        // Found out now rather than after a run whose capture would then be lost.
        if (options.capturePath.empty() ||
            !std::ofstream(pathFromUtf8(options.capturePath), std::ios::binary)) {
            error = QStringLiteral("The capture cannot be written to \"%1\".").arg(parser_.value(capture_));
            return std::nullopt;
        }
    }
    return options;
}

} // namespace sus::cli
