// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"
#include "link/LineSteps.h"

namespace sus {

// Runs `steps` in order on the open device `handle`, keeping `line` as the line-state record that
// reads fill and changes start from. Stops at the first step the device refuses: what follows a
// fault would only meet it again, and the device's lastFault() says why. True when every step ran.
bool runLineSteps(DeviceLayer& devices, DeviceHandle handle, LineState& line, const LineSteps& steps);

} // namespace sus
