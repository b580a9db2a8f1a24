// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCommandLineParser>
#include <QString>

#include <optional>
#include <string>

namespace sus::cli {

// Where the bytes go and how time passes, as `send` and `dmx` take it from the command line.
struct LineOptions {
    bool simulate = false;   // the simulated controller instead of a real one
    bool realtime = false;   // a simulation paced by the wall clock instead of virtual time
    std::string port;        // the controller's port, named by the user; empty: discovery decides
    std::string capturePath; // where to save what went on the TX line; empty: no capture
    bool verbose = false;    // say how the line runs

    bool inRealTime() const { return !simulate || realtime; }
};

// The options --simulate, --realtime, --port, --capture and --verbose of a command's parser, as the
// option table (cli/OptionTable.h) words them for a command that drives the controller.
class LineOptionParser {
public:
    // Adds the options to `parser`.
    explicit LineOptionParser(QCommandLineParser& parser);

    // The options after parsing; nothing, with the reason in `error`, when they cannot be used:
    // --simulate with --port, or a capture file that cannot be written.
    std::optional<LineOptions> read(QString& error) const;

private:
    QCommandLineParser& parser_;
};

} // namespace sus::cli
