// SPDX-License-Identifier: Apache-2.0
#include "cli/CapturingDeviceLayer.h"

namespace sus::cli {

CapturingDeviceLayer::CapturingDeviceLayer(DeviceLayer& devices, const Clock& clock)
    : devices_(devices), clock_(clock)
{
}

DeviceHandle CapturingDeviceLayer::open(std::uint32_t index)
{
    const DeviceHandle handle = devices_.open(index);
    if (handle != kNoDevice)
        handles_[handle] = {clock_.nowNs(), {}};
    return handle;
}

void CapturingDeviceLayer::close(DeviceHandle handle)
{
    devices_.close(handle);
    handles_.erase(handle);
}

bool CapturingDeviceLayer::getLineState(DeviceHandle handle, LineState& state)
{
    const bool ok = devices_.getLineState(handle, state);
    if (ok && handles_.contains(handle))
        handles_[handle].line = state;
    return ok;
}

bool CapturingDeviceLayer::setLineState(DeviceHandle handle, const LineState& state)
{
    const bool ok = devices_.setLineState(handle, state);
    if (ok && handles_.contains(handle))
        handles_[handle].line = state;
    return ok;
}

bool CapturingDeviceLayer::write(DeviceHandle handle, const std::uint8_t* data, std::size_t count)
{
    // Stamped when the call was made: a backend may return only once the bytes have left.
    const std::int64_t now = clock_.nowNs();
    const bool ok = devices_.write(handle, data, count);
    const auto open = handles_.find(handle);
    // Only what the device accepted went out; a refused write may have sent part of itself, but
    // nothing tells which part.
    if (ok && open != handles_.end()) {
        tx_.startAt(open->second.openedAtNs);
        tx_.send(now, open->second.line, data, count);
    }
    return ok;
}

} // namespace sus::cli
