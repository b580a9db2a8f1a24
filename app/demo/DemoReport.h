// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sus {

class Executor;
class SimulatedController;

// What the demo program prints when an update run has ended: what a fixture on the simulated
// controller's line received, file by file (size, version, whether the image arrived intact).
// The controller is the line's, so the report looks at it on the line's thread, `line`, and prints
// from there; it is told of runs on the window's thread.
class DemoReport {
public:
    DemoReport(SimulatedController& controller, Executor& line, std::ostream& out);

    // A run starts and will send `files` (UTF-8 paths, the selected entry first): the line's
    // recording starts afresh with it.
    void runStarted(std::vector<std::string> files);

    // The run has ended: prints what arrived and forgets the recording.
    void runEnded();

    // Between runs, forgets what DMX output wrote, so that a long session does not pile it up.
    void forgetIdleTraffic();

private:
    void forgetRecording();

    SimulatedController& controller_;
    Executor& line_;
    std::ostream& out_;
    // The line's thread.
    std::vector<std::string> files_;
    bool running_ = false;
};

} // namespace sus
