// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/CapturingDeviceLayer.h"
#include "cli/LineOptions.h"
#include "cli/Pacer.h"
#include "link/Link.h"
#include "link/serial/SerialDeviceLayer.h"
#include "sim/SimulatedController.h"

#include <memory>
#include <ostream>

namespace sus::cli {

// The port name of the simulated controller.
inline constexpr const char* kSimulatedPort = "simulated";

// The simulated controller as mvt offers it: one controller attached, on `clock`.
std::unique_ptr<SimulatedController> makeSimulatedController(const Clock& clock);

// The link of one command, set up as the window sets it up at start: the device layer (the
// simulated controller, the port the user named, or the serial ports discovery sees), the pacing
// of the timers, and the program's Link after controller discovery. Records the TX line for a capture.
// A command stops the line (pacer().line().stop()) before the users of the line it made go away.
class LineSession {
public:
    // Discovery runs here, before the line does anything; it announces each controller found through
    // `presenter`.
    LineSession(const LineOptions& options, Presenter& presenter);
    // Stops the line first, should a command not have.
    ~LineSession();
    LineSession(const LineSession&) = delete;
    LineSession& operator=(const LineSession&) = delete;

    Link& link() { return *link_; }

    // Why there is no controller to use, when discovery found none: that nothing was sent, then why
    // a port could not be opened: the one the user named, or a device discovery could not examine.
    std::string noControllerText() const;
    Pacer& pacer() { return *pacer_; }

    // Saves the capture if one was asked for and the line carried anything, once the line has
    // stopped. False, with a message of `command` on `err`, when it cannot be written.
    bool saveCapture(std::ostream& err, const std::string& command) const;

    // With --verbose, says on `err` what the line's thread got of the processors, as a message of
    // `command`.
    void sayHowTheLineRuns(std::ostream& err, const std::string& command);

    // What went on the TX line so far.
    const TxLine& txLine() const;

private:
    LineOptions options_;
    std::unique_ptr<Pacer> pacer_;
    std::unique_ptr<SimulatedController> simulated_;
    std::unique_ptr<SerialDeviceLayer> serial_;
    std::unique_ptr<CapturingDeviceLayer> capturing_;
    std::unique_ptr<Link> link_;
};

// Saves `writes` to `path`: a VCD when it ends in ".vcd" (any letter case), a wire log otherwise.
bool saveCapture(const std::string& path, const std::vector<WireWrite>& writes);

} // namespace sus::cli
