// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sus {

// A device of the controller's bridge family as discovery examined it: its USB ids once it opened,
// or why it did not.
struct SeenDevice {
    struct UsbIds {
        std::uint16_t vendor = 0;
        std::uint16_t product = 0;
    };
    std::string port;
    std::optional<UsbIds> ids;
    DeviceFault fault;
};

// What discovery saw, for telling a user why no controller was found.
struct DiscoverySurvey {
    std::vector<SeenDevice> family;        // in the order discovery examined them
    std::vector<std::string> otherDevices; // other makers' USB serial devices, by name; never opened
};

// Why no controller was found, in a short block of lines for a command of mvt: what was seen (no
// device of the controller's kind at all; one that could not be opened, with the fix; one that is
// not a controller; the other makers' devices), and that the command is to be run again once a
// controller is attached.
std::string whyNoController(const DiscoverySurvey& survey);

// The same in one or two lines, for a control of the window that stays unusable; a controller
// attached later needs a restart of the program.
std::string whyNoControllerBriefly(const DiscoverySurvey& survey);

} // namespace sus
