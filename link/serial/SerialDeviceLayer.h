// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QSerialPort;

namespace sus {

// The device layer over the operating system's serial ports. The attached devices are the USB
// serial ports of the controller's bridge family (USB vendor 0x10C4), sorted by port name; the
// list is taken afresh at every count, and no other port is ever opened.
//
// The line state of an open port is kept here: reading it asks the driver nothing, and a change
// touches only what differs. DTR and RTS are set when asked (on opening the link) and never read
// back. A change of rate or parity first waits until every byte written since the last wait has
// left the UART, and one character time more, so that each byte leaves with the settings in force
// when it was written; closing waits the same way, since a bridge purges its queue on close. A port
// without modem-control lines (a pseudo-terminal) leaves DTR and RTS alone.
class SerialDeviceLayer : public DeviceLayer {
public:
    // With `onlyPort` set, that port alone is attached, whatever it is, and it carries the
    // controller's identifiers: the user named it as the controller.
    explicit SerialDeviceLayer(std::string onlyPort = {});
    ~SerialDeviceLayer() override;
    SerialDeviceLayer(const SerialDeviceLayer&) = delete;
    SerialDeviceLayer& operator=(const SerialDeviceLayer&) = delete;

    int countDevices(std::uint32_t& count) override;
    std::string deviceIdentity(std::uint32_t index) override;
    DeviceHandle open(std::uint32_t index) override;
    std::uint16_t vendorId(DeviceHandle handle) override;
    std::uint16_t productId(DeviceHandle handle) override;
    void close(DeviceHandle handle) override;
    bool getLineState(DeviceHandle handle, LineState& state) override;
    bool setLineState(DeviceHandle handle, const LineState& state) override;
    bool write(DeviceHandle handle, const std::uint8_t* data, std::size_t count) override;
    DeviceFault lastFault() const override { return lastFault_; }
    std::vector<std::string> otherUsbSerialDevices() override;

private:
    struct Device {
        std::string portName;
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
    };
    struct OpenPort {
        Device device;
        std::unique_ptr<QSerialPort> port;
        bool modemLines = true;
        LineState line; // what is in force
        // DTR and RTS as last set here; until then unknown, so the first request sets them.
        std::optional<bool> dtr;
        std::optional<bool> rts;
        bool writtenSinceWait = false; // bytes may still be on their way to the line
    };

    void refreshDevices();
    OpenPort* find(DeviceHandle handle);
    // Waits until what was written has left the line: Qt's buffer, the driver, the UART. False,
    // with the fault kept, when it could not.
    bool waitUntilSent(OpenPort& open);
    // Hands Qt's buffer to the driver, in the time the bytes need on the line and some slack.
    bool flushToDriver(OpenPort& open, std::size_t byteCount);
    // Record why a call failed; false, for the call to return.
    bool failOn(const OpenPort& open);
    bool failNotOpen();

    std::string onlyPort_;
    std::vector<Device> devices_;
    std::map<DeviceHandle, OpenPort> ports_;
    DeviceHandle nextHandle_ = 1;
    DeviceFault lastFault_;
};

} // namespace sus
