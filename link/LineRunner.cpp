// SPDX-License-Identifier: Apache-2.0
#include "link/LineRunner.h"

#include <utility>

namespace sus {

namespace {

bool runStep(DeviceLayer& devices, DeviceHandle handle, LineState& line, const LineSteps& steps,
             const LineStep& step)
{
    switch (step.kind) {
    case LineStep::Kind::ReadLine:
        return devices.getLineState(handle, line);
    case LineStep::Kind::ChangeLine:
        if (step.baudRate)
            line.baudRate = *step.baudRate;
        line.parity = step.parity;
        return devices.setLineState(handle, line);
    case LineStep::Kind::Write: {
        const auto bytes = steps.bytesOf(step);
        return devices.write(handle, bytes.data(), bytes.size());
    }
    }
    return false;
}

} // namespace

bool runLineSteps(DeviceLayer& devices, DeviceHandle handle, LineState& line, const LineSteps& steps,
                  FirstWriteGate* gate)
{
    for (const LineStep& step : steps.steps()) {
        FirstWriteGate* const passing =
            step.kind == LineStep::Kind::Write ? std::exchange(gate, nullptr) : nullptr;
        if (passing)
            passing->beforeFirstWrite();
        if (!runStep(devices, handle, line, steps, step))
            return false;
        if (passing)
            passing->afterFirstWrite();
    }
    return true;
}

} // namespace sus
