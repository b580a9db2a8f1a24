// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"

#include <ostream>
#include <string>

namespace sus::cli {

// One line per attached device, in the order discovery examines them: its port name, then its USB
// vendor and product ids and "controller" for `controllerIdentity`, or, when it cannot be opened,
// why not.
void listPorts(DeviceLayer& devices, const std::string& controllerIdentity, std::ostream& out);

} // namespace sus::cli
