// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"
#include "link/DeviceLayer.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace sus::test {

// A device layer whose line changes take time on the clock, as a real bridge's drains and control
// requests do, and not the same time at every change; everything else passes straight through.
class SlowLineChanges final : public DeviceLayer {
public:
    SlowLineChanges(DeviceLayer& devices, WaitableClock& clock) : devices_(devices), clock_(clock) {}

    // How long each change takes, asked once per change; none by default.
    void setChangeTime(std::function<std::int64_t()> changeNs) { changeNs_ = std::move(changeNs); }

    int countDevices(std::uint32_t& count) override { return devices_.countDevices(count); }
    std::string deviceIdentity(std::uint32_t index) override { return devices_.deviceIdentity(index); }
    DeviceHandle open(std::uint32_t index) override { return devices_.open(index); }
    std::uint16_t vendorId(DeviceHandle handle) override { return devices_.vendorId(handle); }
    std::uint16_t productId(DeviceHandle handle) override { return devices_.productId(handle); }
    void close(DeviceHandle handle) override { devices_.close(handle); }
    bool getLineState(DeviceHandle handle, LineState& state) override
    {
        return devices_.getLineState(handle, state);
    }
    bool setLineState(DeviceHandle handle, const LineState& state) override
    {
        if (changeNs_)
            clock_.sleepUntil(clock_.nowNs() + changeNs_());
        return devices_.setLineState(handle, state);
    }
    bool write(DeviceHandle handle, const std::uint8_t* data, std::size_t count) override
    {
        return devices_.write(handle, data, count);
    }
    DeviceFault lastFault() const override { return devices_.lastFault(); }
    std::vector<std::string> otherUsbSerialDevices() override { return devices_.otherUsbSerialDevices(); }

private:
    DeviceLayer& devices_;
    WaitableClock& clock_;
    std::function<std::int64_t()> changeNs_;
};

} // namespace sus::test
