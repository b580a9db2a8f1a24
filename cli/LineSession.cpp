// SPDX-License-Identifier: Apache-2.0
#include "cli/LineSession.h"

#include "cli/RealTimePacer.h"
#include "cli/TerminalPresenter.h"
#include "cli/VirtualPacer.h"
#include "core/MessageLines.h"
#include "link/LinkFaultText.h"
#include "sim/Captures.h"

#include <algorithm>
#include <cctype>

namespace sus::cli {

bool saveCapture(const std::string& path, const std::vector<WireWrite>& writes)
{
    static constexpr std::string_view kVcdEnding = ".vcd";
    std::string ending = path.size() >= kVcdEnding.size() ? path.substr(path.size() - kVcdEnding.size()) : "";
    std::ranges::transform(ending, ending.begin(), [](unsigned char c) { return std::tolower(c); });
    return ending == kVcdEnding ? saveVcd(path, writes) : saveWireLog(path, writes);
}

std::unique_ptr<SimulatedController> makeSimulatedController(const Clock& clock)
{
    auto controller = std::make_unique<SimulatedController>(clock);
    controller->attach({.identity = kSimulatedPort});
    return controller;
}

LineSession::LineSession(const LineOptions& options, Presenter& presenter) : options_(options)
{
    if (options.inRealTime())
        pacer_ = std::make_unique<RealTimePacer>();
    else
        pacer_ = std::make_unique<VirtualPacer>();

    DeviceLayer* devices = nullptr;
    if (options.simulate) {
        simulated_ = makeSimulatedController(pacer_->clock());
        devices = simulated_.get();
    } else {
        serial_ = std::make_unique<SerialDeviceLayer>(options.port);
        capturing_ = std::make_unique<CapturingDeviceLayer>(*serial_, pacer_->clock());
        devices = capturing_.get();
    }
    link_ = std::make_unique<Link>(*devices, presenter);
    link_->discoverController();
}

LineSession::~LineSession()
{
    pacer_->line().stop();
}

std::string LineSession::noControllerText() const
{
    if (options_.port.empty())
        return "No controller was found. Nothing was sent.\n" + whyNoController(link_->survey());
    // Discovery tried the named port alone, so its fault is the reason; the first line names the port.
    const std::string message =
        "The port \"" + options_.port + "\" could not be opened as the controller. Nothing was sent.";
    return withDetailLines(message, {faultReason(link_->lastFault())});
}

void LineSession::sayHowTheLineRuns(std::ostream& err, const std::string& command)
{
    if (options_.verbose)
        err << commandPrefix(command) << pacer_->line().priority().how << ".\n";
}

const TxLine& LineSession::txLine() const
{
    return simulated_ ? simulated_->txLine() : capturing_->txLine();
}

bool LineSession::saveCapture(std::ostream& err, const std::string& command) const
{
    // A command refused before the line carried anything leaves no file to be taken for a capture.
    if (options_.capturePath.empty() || txLine().writes().empty() ||
        cli::saveCapture(options_.capturePath, txLine().writes()))
        return true;
    err << commandPrefix(command) << "The capture could not be written to \"" << options_.capturePath
        << "\".\n";
    return false;
}

} // namespace sus::cli
