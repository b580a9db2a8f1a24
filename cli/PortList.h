// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace sus::cli {

// One attached device as discovery examines it.
struct PortEntry {
    std::string port;
    bool opened = false; // when not, `whyNot` says why, with what to do about it
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    bool controller = false;
    std::string whyNot;
};

// Every attached device, in the order discovery examines them; `controllerIdentity` is marked.
std::vector<PortEntry> surveyPorts(DeviceLayer& devices, const std::string& controllerIdentity);

// One line per attached device: its port name, then its USB vendor and product ids and "controller"
// for `controllerIdentity`, or, when it cannot be opened, why not.
void listPorts(DeviceLayer& devices, const std::string& controllerIdentity, std::ostream& out);

} // namespace sus::cli
