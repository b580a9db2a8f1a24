// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <string>
#include <vector>

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace sus::bridge {

// Fake sysfs and udev entries, with device nodes, for USB serial ports: every udev client of this
// process sees them, Qt's port enumeration among them. Needs the testbed's preload library, which
// runUnderDeviceTestbed() puts in place.
//
// The testbed's nodes serve discovery, not the line: they are pseudo-terminals whose ioctls its
// preload library answers itself, and it refuses the termios2 requests that carry custom rates
// ("Inappropriate ioctl for device"), so Qt cannot set 250000 baud on them. The controller's node is
// the model bridge's, which takes the calls before the testbed's library sees them.
class DeviceTestbed {
public:
    DeviceTestbed();
    ~DeviceTestbed();
    DeviceTestbed(const DeviceTestbed&) = delete;
    DeviceTestbed& operator=(const DeviceTestbed&) = delete;

    // A USB serial port `ttyName` (e.g. "ttyUSB0") of a bridge with the given USB ids, behind its
    // own USB device; its node is /dev/<ttyName>.
    void addUsbSerialPort(const std::string& ttyName, std::uint16_t vendorId, std::uint16_t productId);
    // Another bridge in its place, under the same port name: only the USB ids differ.
    void replugAs(const std::string& ttyName, std::uint16_t vendorId, std::uint16_t productId);

    // Whether this process runs under the preload library.
    static bool active();

private:
    struct Port {
        std::string ttyName;
        std::string usbDevicePath;
        std::string ttyPath;
    };

    UMockdevTestbed* testbed_ = nullptr;
    std::vector<Port> ports_;
    int nextUsbPort_ = 1;
};

// Runs this program again with the testbed's preload library, unless it is loaded already; returns
// only when nothing had to be done, or when it could not be done (active() then says so).
void runUnderDeviceTestbed(char** argv);

} // namespace sus::bridge
