// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/ControllerUsbId.h"
#include "link/DeviceLayer.h"
#include "link/DiscoverySurvey.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sus {

class FirstWriteGate;
class LineSteps;
class Presenter;

// The program's one link to the controller, shared by the update run and DMX output: controller
// discovery, opening and closing the link, and running the line steps of a frame on it.
// Runs on the line's thread (link/LineHost.h), but for discovery: that runs once at start-up on the
// window's thread, while the link is closed and before any work is handed to the line. Every operation
// reads the handle afresh; with the link closed nothing is sent and the steps report failure.
class Link {
public:
    Link(DeviceLayer& devices, Presenter& presenter);

    // Searches every attached device once (at start-up); an open link is closed first. Each controller found
    // is announced with "Controller has been found!"; the last one found is the one the link opens later.
    void discoverController();

    // "OK" once a controller was found, "NO" before.
    const std::string& controllerState() const { return controllerState_; }
    bool controllerFound() const;
    std::uint32_t controllerIndex() const { return controllerIndex_; }
    // The port name of the controller found at start-up; empty before.
    const std::string& controllerIdentity() const { return controllerIdentity_; }

    DeviceHandle handle() const { return handle_; }
    bool isOpen() const { return handle_ != kNoDevice; }

    // Opens the controller found at start-up and applies the line settings: 250000 baud, 8 data
    // bits, space parity, one stop bit, no flow control, DTR on, RTS off. A link that is already
    // open is closed first. Fails (link closed) when that controller is no longer attached or cannot
    // be opened or configured, or when the device now under its port name is not a controller.
    bool OpenLink();

    // Closes the link if it is open; does nothing otherwise.
    void CloseLink();

    // Runs a frame's steps (link/LineFrames.h) on the open link, its first write passing `gate` when
    // there is one; they stop at the first step that fails, whose fault is kept. True when every step
    // ran; false with the link closed or no steps.
    bool run(const LineSteps& steps, FirstWriteGate* gate = nullptr);

    // The line-state record that opening and framing fill and change in place.
    const LineState& lineSettings() const { return lineSettings_; }

    // Why the link failed, for the user: the first fault since discoverController() or OpenLink()
    // began (a device discovery could not open, the controller not opening or configuring, a step of
    // a framing primitive), and the port it was on; Kind::None while nothing has failed since. With no
    // controller found, OpenLink() leaves discovery's fault as it was.
    const DeviceFault& lastFault() const { return lastFault_; }
    const std::string& faultPort() const { return faultPort_; }
    // What the last discovery saw, for saying why no controller was found.
    const DiscoverySurvey& survey() const { return survey_; }

private:
    // Where the controller found at start-up is attached now, by its identity; there must be one.
    std::optional<std::uint32_t> locateController();
    // Keeps `fault` on `port` unless an earlier one is kept: later faults follow from the first.
    void noteFault(const std::string& port, DeviceFault fault);
    // Passes a device call's result on, noting the device's fault when it failed.
    bool step(bool ok);
    void clearFault();

    DeviceLayer& devices_;
    Presenter& presenter_;
    std::string controllerState_ = "NO";
    std::uint32_t controllerIndex_ = 0;
    std::string controllerIdentity_;
    DeviceHandle handle_ = kNoDevice;
    LineState lineSettings_;
    DeviceFault lastFault_;
    std::string faultPort_;
    DiscoverySurvey survey_;
};

} // namespace sus
