// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"
#include "link/DeviceLayer.h"
#include "sim/TxLine.h"

#include <map>

namespace sus::cli {

// Passes every call to a real device layer and lays what was written on a TxLine, stamped by the
// wall clock, so a run over a real port can be captured like a simulated one: t = 0 is the open of
// the handle that wrote first, and each write carries the rate and parity last set on its handle.
class CapturingDeviceLayer : public DeviceLayer {
public:
    CapturingDeviceLayer(DeviceLayer& devices, const Clock& clock);

    const TxLine& txLine() const { return tx_; }

    int countDevices(std::uint32_t& count) override { return devices_.countDevices(count); }
    std::string deviceIdentity(std::uint32_t index) override { return devices_.deviceIdentity(index); }
    DeviceHandle open(std::uint32_t index) override;
    std::uint16_t vendorId(DeviceHandle handle) override { return devices_.vendorId(handle); }
    std::uint16_t productId(DeviceHandle handle) override { return devices_.productId(handle); }
    void close(DeviceHandle handle) override;
    bool getLineState(DeviceHandle handle, LineState& state) override;
    bool setLineState(DeviceHandle handle, const LineState& state) override;
    bool write(DeviceHandle handle, const std::uint8_t* data, std::size_t count) override;
    DeviceFault lastFault() const override { return devices_.lastFault(); }

private:
    struct OpenHandle {
        std::int64_t openedAtNs = 0;
        LineState line;
    };

    DeviceLayer& devices_;
    const Clock& clock_;
    std::map<DeviceHandle, OpenHandle> handles_;
    TxLine tx_;
};

} // namespace sus::cli
