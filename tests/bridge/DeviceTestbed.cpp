// SPDX-License-Identifier: Apache-2.0
#include "tests/bridge/DeviceTestbed.h"

#include <umockdev.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <stdexcept>
#include <unistd.h>

namespace sus::bridge {
namespace {

constexpr const char* kPreloadLibrary = "libumockdev-preload.so.0";
constexpr int kUsbSerialMajor = 188;

std::string hex4(std::uint16_t value)
{
    char text[5];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

} // namespace

DeviceTestbed::DeviceTestbed() : testbed_(umockdev_testbed_new()) {}

DeviceTestbed::~DeviceTestbed()
{
    g_object_unref(testbed_);
}

bool DeviceTestbed::active()
{
    void* preload = ::dlopen(kPreloadLibrary, RTLD_NOW | RTLD_NOLOAD);
    if (preload)
        ::dlclose(preload);
    return preload != nullptr;
}

void DeviceTestbed::addUsbSerialPort(const std::string& ttyName, std::uint16_t vendorId,
                                     std::uint16_t productId)
{
    const std::string usbPort = std::to_string(nextUsbPort_++);
    const std::string usb = "/devices/pci0000:00/0000:00:14.0/usb1/1-" + usbPort;
    const std::string interface = usb + "/1-" + usbPort + ":1.0";
    const std::string serial = interface + "/" + ttyName;
    const std::string ids =
        "E: ID_VENDOR_ID=" + hex4(vendorId) + "\nE: ID_MODEL_ID=" + hex4(productId) + "\n";
    // The tree a USB serial driver builds: USB device, interface, usb-serial port, tty.
    const std::string description =
        "P: " + usb + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n" + ids + "A: idVendor=" + hex4(vendorId) +
        "\nA: idProduct=" + hex4(productId) + "\n\n" + "P: " + interface +
        "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\n\n" + "P: " + serial +
        "\nE: SUBSYSTEM=usb-serial\n\n" + "P: " + serial + "/tty/" + ttyName + "\nN: " + ttyName +
        "\nE: SUBSYSTEM=tty\nE: DEVNAME=/dev/" + ttyName + "\nE: ID_BUS=usb\n" + ids +
        "E: MAJOR=" + std::to_string(kUsbSerialMajor) + "\nE: MINOR=" + usbPort + "\n";
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(testbed_, description.c_str(), &error)) {
        const std::string message = error ? error->message : "unknown error";
        g_clear_error(&error);
        throw std::runtime_error("The testbed did not take " + ttyName + ": " + message);
    }
    ports_.push_back({ttyName, "/sys" + usb, "/sys" + serial + "/tty/" + ttyName});
}

void DeviceTestbed::replugAs(const std::string& ttyName, std::uint16_t vendorId, std::uint16_t productId)
{
    const auto port = std::ranges::find(ports_, ttyName, &Port::ttyName);
    if (port == ports_.end())
        return;
    const std::string vendor = hex4(vendorId);
    const std::string product = hex4(productId);
    for (const std::string& path : {port->usbDevicePath, port->ttyPath}) {
        umockdev_testbed_set_property(testbed_, path.c_str(), "ID_VENDOR_ID", vendor.c_str());
        umockdev_testbed_set_property(testbed_, path.c_str(), "ID_MODEL_ID", product.c_str());
    }
    umockdev_testbed_set_attribute(testbed_, port->usbDevicePath.c_str(), "idVendor", vendor.c_str());
    umockdev_testbed_set_attribute(testbed_, port->usbDevicePath.c_str(), "idProduct", product.c_str());
}

void runUnderDeviceTestbed(char** argv)
{
    if (DeviceTestbed::active())
        return;
    const char* before = std::getenv("LD_PRELOAD");
    const std::string preload =
        before && *before ? std::string(kPreloadLibrary) + ":" + before : kPreloadLibrary;
    ::setenv("LD_PRELOAD", preload.c_str(), 1);
    ::execv("/proc/self/exe", argv);
}

} // namespace sus::bridge
