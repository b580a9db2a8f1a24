// SPDX-License-Identifier: Apache-2.0
#include "link/Link.h"

#include "core/HexText.h"
#include "core/Presenter.h"
#include "link/LineFrames.h"
#include "link/LineRunner.h"
#include "link/LineThreadCheck.h"

#include <optional>
#include <utility>

namespace sus {

namespace {

constexpr const char* kControllerFoundText = "Controller has been found!";
constexpr const char* kStateFound = "OK";

// The line as the link opens it.
void applyLineSettings(LineState& line)
{
    line.baudRate = kLineBaud;
    line.dataBits = 8;
    line.parity = Parity::Space;
    line.stopBits = 1;
    line.ctsFlow = false;
    line.dsrFlow = false;
    line.dtr = true;
    line.rts = false;
}

} // namespace

Link::Link(DeviceLayer& devices, Presenter& presenter) : devices_(devices), presenter_(presenter) {}

bool Link::controllerFound() const
{
    return controllerState_ == kStateFound;
}

void Link::noteFault(const std::string& port, DeviceFault fault)
{
    if (lastFault_.kind != DeviceFault::Kind::None)
        return;
    // A backend that failed without saying why still failed.
    if (fault.kind == DeviceFault::Kind::None)
        fault.kind = DeviceFault::Kind::Other;
    lastFault_ = std::move(fault);
    faultPort_ = port;
}

bool Link::step(bool ok)
{
    if (!ok)
        noteFault(controllerIdentity_, devices_.lastFault());
    return ok;
}

void Link::clearFault()
{
    lastFault_ = {};
    faultPort_.clear();
}

void Link::discoverController()
{
    CloseLink();
    clearFault();
    survey_ = {};
    std::uint32_t count = 0;
    if (devices_.countDevices(count) == 0) {
        // Every index is examined: with several controllers attached, the last one wins.
        for (std::uint32_t index = 0; index < count; ++index) {
            SeenDevice& seen = survey_.family.emplace_back();
            seen.port = devices_.deviceIdentity(index);
            handle_ = devices_.open(index);
            if (handle_ == kNoDevice) {
                seen.fault = devices_.lastFault();
                noteFault(seen.port, seen.fault);
                continue;
            }
            const std::uint16_t vendor = devices_.vendorId(handle_);
            const std::uint16_t product = devices_.productId(handle_);
            seen.ids = SeenDevice::UsbIds{vendor, product};
            if (vendor == kControllerVendorId && product == kControllerProductId) {
                presenter_.showMessage(kControllerFoundText);
                controllerState_ = kStateFound;
                controllerIndex_ = index;
                controllerIdentity_ = devices_.deviceIdentity(index);
            }
            devices_.close(handle_);
            handle_ = kNoDevice;
        }
    }
    handle_ = kNoDevice;
    survey_.otherDevices = devices_.otherUsbSerialDevices();
}

std::optional<std::uint32_t> Link::locateController()
{
    std::uint32_t count = 0;
    if (devices_.countDevices(count) != 0)
        return std::nullopt;
    for (std::uint32_t index = 0; index < count; ++index) {
        if (devices_.deviceIdentity(index) == controllerIdentity_)
            return index;
    }
    return std::nullopt;
}

bool Link::OpenLink()
{
    SUS_ASSERT_ON_THE_LINES_THREAD();
    // A second open would leave the first handle open and unreachable.
    CloseLink();
    // With no controller found, why discovery could not open a device stays the reason: that device
    // may well be the controller.
    if (!controllerFound())
        return false;
    clearFault();

    // Indices shift when devices come and go: only the controller found at start-up may be opened.
    const std::optional<std::uint32_t> index = locateController();
    if (!index) {
        noteFault(controllerIdentity_, {DeviceFault::Kind::Gone, {}});
        return false;
    }
    controllerIndex_ = *index;

    handle_ = devices_.open(controllerIndex_);
    if (!step(handle_ != kNoDevice))
        return false;
    // Another device may have taken the controller's port name since start-up.
    const std::uint16_t vendor = devices_.vendorId(handle_);
    const std::uint16_t product = devices_.productId(handle_);
    if (vendor != kControllerVendorId || product != kControllerProductId) {
        noteFault(controllerIdentity_, {DeviceFault::Kind::Other,
                                        "Another device (USB id " + hexWord(vendor) + ":" + hexWord(product) +
                                            ") is attached under the controller's port name."});
        CloseLink();
        return false;
    }
    const bool read = step(devices_.getLineState(handle_, lineSettings_));
    applyLineSettings(lineSettings_);
    if (!read || !step(devices_.setLineState(handle_, lineSettings_))) {
        CloseLink();
        return false;
    }
    return true;
}

void Link::CloseLink()
{
    if (handle_ == kNoDevice)
        return;
    SUS_ASSERT_ON_THE_LINES_THREAD();
    devices_.close(handle_);
    handle_ = kNoDevice;
}

bool Link::run(const LineSteps& steps, FirstWriteGate* gate)
{
    SUS_ASSERT_ON_THE_LINES_THREAD();
    if (steps.steps().empty())
        return false;
    return step(runLineSteps(devices_, handle_, lineSettings_, steps, gate));
}

} // namespace sus
