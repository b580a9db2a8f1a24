// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"
#include "link/LineSteps.h"

namespace sus {

// Told around a frame's first write, the one that puts its first character on the line; it may hold
// that write back until the frame's moment has come.
class FirstWriteGate {
public:
    virtual ~FirstWriteGate() = default;
    virtual void beforeFirstWrite() = 0;
    // The first write has been handed to the device.
    virtual void afterFirstWrite() = 0;
};

// Runs `steps` in order on the open device `handle`, keeping `line` as the line-state record that
// reads fill and changes start from, with the first write passing `gate` when there is one. Stops at
// the first step the device refuses: what follows a fault would only meet it again, and the device's
// lastFault() says why. True when every step ran.
bool runLineSteps(DeviceLayer& devices, DeviceHandle handle, LineState& line, const LineSteps& steps,
                  FirstWriteGate* gate = nullptr);

} // namespace sus
