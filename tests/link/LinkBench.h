// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/VirtualScheduler.h"
#include "link/LineFrames.h"
#include "link/Link.h"
#include "link/LinkFaultText.h"
#include "sim/SimulatedController.h"
#include "tests/support/RecordingPresenter.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sus::test {

inline SimulatedDevice controllerAt(const std::string& port)
{
    return {.identity = port};
}

// Every kind of fault a device call can have.
inline constexpr std::array kFaultKinds{DeviceFault::Kind::PermissionDenied, DeviceFault::Kind::Busy,
                                        DeviceFault::Kind::Gone, DeviceFault::Kind::Other};

// `message` as the user is told it after a fault of `kind` on the simulated controller at `port`:
// the port and the reason on the lines under it.
inline std::string toldAfterFault(std::string_view message, DeviceFault::Kind kind,
                                  const std::string& port = "ttyUSB0")
{
    return std::string(message) + "\n" + port + "\n" + faultReason({kind, "Input/output error"});
}

// Runs on `link` the steps that `build` appends to an empty list.
template <typename Build> bool runOn(Link& link, Build build)
{
    LineSteps steps;
    build(steps);
    return link.run(steps);
}

// A link over a simulated controller on virtual time.
struct LinkBench {
    VirtualScheduler clock;
    SimulatedController devices{clock};
    RecordingPresenter presenter;
    Link link{devices, presenter};

    // The operations recorded since the last clearCalls().
    std::vector<SimulatedController::Op> ops() const
    {
        std::vector<SimulatedController::Op> result;
        for (const auto& call : devices.calls())
            result.push_back(call.op);
        return result;
    }

    // The frames and the steps they are made of, run on the link.
    bool markedWrite(std::span<const std::uint8_t> bytes)
    {
        return runOn(link, [&](LineSteps& steps) { MarkedWrite(steps, bytes); });
    }
    bool breakByte(BreakForm form)
    {
        return runOn(link, [&](LineSteps& steps) { BreakByte(steps, form); });
    }
    bool write(std::span<const std::uint8_t> bytes)
    {
        return runOn(link, [&](LineSteps& steps) { steps.write(bytes); });
    }
    bool changeParity(Parity parity)
    {
        return runOn(link, [&](LineSteps& steps) { steps.changeLine(std::nullopt, parity); });
    }

    // A controller found and the link open, with the call record cleared.
    void openController(const std::string& port = "ttyUSB0")
    {
        devices.attach(controllerAt(port));
        link.discoverController();
        link.OpenLink();
        devices.clearCalls();
    }
};

} // namespace sus::test
