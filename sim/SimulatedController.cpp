// SPDX-License-Identifier: Apache-2.0
#include "sim/SimulatedController.h"

#include <algorithm>
#include <utility>

namespace sus {

namespace {

// What the operating system would say for each kind of fault.
const char* wordsFor(DeviceFault::Kind kind)
{
    switch (kind) {
    case DeviceFault::Kind::PermissionDenied:
        return "Permission denied";
    case DeviceFault::Kind::Busy:
        return "Device or resource busy";
    case DeviceFault::Kind::Gone:
        return "No such device";
    case DeviceFault::Kind::Other:
        return "Input/output error";
    case DeviceFault::Kind::None:
        break;
    }
    return "";
}

} // namespace

SimulatedController::SimulatedController(const Clock& clock) : clock_(clock) {}

void SimulatedController::attach(SimulatedDevice device)
{
    lineStates_.try_emplace(device.identity);
    devices_.push_back(std::move(device));
}

bool SimulatedController::detach(const std::string& identity)
{
    return std::erase_if(devices_, [&](const SimulatedDevice& d) { return d.identity == identity; }) > 0;
}

void SimulatedController::setOpenable(const std::string& identity, bool openable, DeviceFault::Kind refusal)
{
    if (SimulatedDevice* device = attachedDevice(identity)) {
        device->openable = openable;
        device->refusal = refusal;
    }
}

void SimulatedController::clearCalls()
{
    calls_.clear();
    callCounts_.fill(0);
}

void SimulatedController::setRecording(Recording recording)
{
    keepCalls_ = recording == Recording::Everything;
    tx_.keepWrites(keepCalls_);
}

SimulatedController::Call& SimulatedController::record(Op op, DeviceHandle handle, bool ok)
{
    ++callCounts_[static_cast<std::size_t>(op)];
    Call& call = keepCalls_ ? calls_.emplace_back() : scratchCall_;
    call = Call{};
    call.op = op;
    call.handle = handle;
    call.ok = ok;
    return call;
}

SimulatedDevice* SimulatedController::attachedDevice(const std::string& identity)
{
    auto found = std::ranges::find(devices_, identity, &SimulatedDevice::identity);
    return found == devices_.end() ? nullptr : &*found;
}

SimulatedDevice* SimulatedController::deviceOf(DeviceHandle handle)
{
    auto port = handles_.find(handle);
    return port == handles_.end() ? nullptr : attachedDevice(port->second.identity);
}

void SimulatedController::fail(DeviceFault::Kind kind)
{
    lastFault_ = {kind, wordsFor(kind)};
}

void SimulatedController::failOnHandle(DeviceHandle handle)
{
    // A handle still open whose device went away is a port that lost its device; any other is no
    // open port at all.
    if (handles_.contains(handle))
        fail(DeviceFault::Kind::Gone);
    else
        lastFault_ = {DeviceFault::Kind::Other, kHandleNotOpenDetail};
}

int SimulatedController::countDevices(std::uint32_t& count)
{
    if (countResult_ == 0)
        count = static_cast<std::uint32_t>(devices_.size());
    record(Op::Count, kNoDevice, countResult_ == 0);
    return countResult_;
}

std::string SimulatedController::deviceIdentity(std::uint32_t index)
{
    return index < devices_.size() ? devices_[index].identity : std::string{};
}

DeviceHandle SimulatedController::open(std::uint32_t index)
{
    DeviceHandle handle = kNoDevice;
    if (index < devices_.size()) {
        const SimulatedDevice& device = devices_[index];
        const bool inUse = std::ranges::any_of(
            handles_, [&](const auto& entry) { return entry.second.identity == device.identity; });
        if (!device.openable) {
            fail(device.refusal);
        } else if (inUse) {
            fail(DeviceFault::Kind::Busy);
        } else {
            handle = nextHandle_++;
            handles_[handle] = {device.identity, clock_.nowNs()};
            lastFault_ = {};
        }
    } else {
        fail(DeviceFault::Kind::Gone);
    }
    record(Op::Open, handle, handle != kNoDevice).index = index;
    return handle;
}

std::uint16_t SimulatedController::vendorId(DeviceHandle handle)
{
    const SimulatedDevice* device = deviceOf(handle);
    record(Op::VendorId, handle, device != nullptr);
    return device ? device->vendorId : 0;
}

std::uint16_t SimulatedController::productId(DeviceHandle handle)
{
    const SimulatedDevice* device = deviceOf(handle);
    record(Op::ProductId, handle, device != nullptr);
    return device ? device->productId : 0;
}

void SimulatedController::close(DeviceHandle handle)
{
    const bool known = handles_.erase(handle) > 0;
    record(Op::Close, handle, known);
}

bool SimulatedController::getLineState(DeviceHandle handle, LineState& state)
{
    const SimulatedDevice* device = deviceOf(handle);
    if (device)
        state = lineStates_[device->identity];
    else
        failOnHandle(handle);
    record(Op::GetLineState, handle, device != nullptr).line = state;
    return device != nullptr;
}

bool SimulatedController::setLineState(DeviceHandle handle, const LineState& state)
{
    const SimulatedDevice* device = deviceOf(handle);
    if (device)
        lineStates_[device->identity] = state;
    else
        failOnHandle(handle);
    record(Op::SetLineState, handle, device != nullptr).line = state;
    return device != nullptr;
}

bool SimulatedController::write(DeviceHandle handle, const std::uint8_t* data, std::size_t count)
{
    const std::int64_t now = clock_.nowNs();
    if (now >= unplugAtNs_ && deviceOf(handle)) {
        unplugAtNs_ = std::numeric_limits<std::int64_t>::max();
        detach(handles_[handle].identity);
    }

    const SimulatedDevice* device = deviceOf(handle);
    std::size_t sent = 0;
    if (device) {
        sent = static_cast<std::size_t>(std::min<std::uint64_t>(count, bytesUntilUnplug_));
        if (bytesUntilUnplug_ != std::numeric_limits<std::uint64_t>::max())
            bytesUntilUnplug_ -= sent;
        tx_.startAt(handles_[handle].openedAtNs);
        tx_.send(now, lineStates_[device->identity], data, sent);
    }
    const bool ok = device != nullptr && sent == count;
    if (device && !ok) {
        bytesUntilUnplug_ = std::numeric_limits<std::uint64_t>::max();
        detach(std::string(device->identity));
    }
    if (!ok)
        failOnHandle(handle);
    record(Op::Write, handle, ok).byteCount = count;
    return ok;
}

} // namespace sus
