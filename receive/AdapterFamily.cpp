// SPDX-License-Identifier: Apache-2.0
#include "receive/AdapterFamily.h"

#include "core/HexText.h"

#include <array>
#include <cstdio>

namespace sus {

namespace {

struct KnownVendor {
    std::uint16_t vendor;
    const char* chips;
    LineStatus status;
    const char* why;
};

// By USB vendor: each of these makers' USB-UARTs is driven by one Linux driver, and that driver
// decides what reaches the reader.
constexpr std::array kKnownVendors{
    KnownVendor{0x10C4, "CP210x", LineStatus::PerCharacter,
                "its driver reports each character's line status (Linux 5.9 and later)"},
    KnownVendor{0x0403, "FTDI", LineStatus::PerUsbPacket,
                "its driver flags every character of a USB packet (up to 62) for one error in it"},
    KnownVendor{0x067B, "PL2303", LineStatus::PerUsbPacket,
                "its driver flags every character of a USB transfer for one error in it"},
    KnownVendor{0x1A86, "CH34x", LineStatus::NoParity, "its driver reports no parity errors"},
};

// Event insertion, which gives the CP210x each character's status, came with Linux 5.9; before it
// the driver handed over the data alone.
constexpr int kCp210xStatusSince[] = {5, 9};

// Whether `release` ("5.4.0-150-generic") names a kernel older than major.minor.
bool olderThan(const std::string& release, const int (&version)[2])
{
    int major = 0;
    int minor = 0;
    if (std::sscanf(release.c_str(), "%d.%d", &major, &minor) != 2)
        return false;
    return major < version[0] || (major == version[0] && minor < version[1]);
}

std::string hex4(std::uint16_t value)
{
    return hexByte(static_cast<std::uint8_t>(value >> 8)) + hexByte(static_cast<std::uint8_t>(value));
}

const char* consequence(LineStatus status)
{
    return status == LineStatus::PerCharacter ? "so the ninth bits are checked"
                                              : "so the ninth bits are not checked, only the bytes";
}

} // namespace

AdapterFamily adapterFamilyOf(std::optional<UsbId> id, const std::string& kernelRelease)
{
    if (!id)
        return {};
    for (const KnownVendor& known : kKnownVendors) {
        if (known.vendor != id->vendor)
            continue;
        if (known.status == LineStatus::PerCharacter && olderThan(kernelRelease, kCp210xStatusSince))
            return {known.chips, LineStatus::NoParity,
                    "its driver in Linux " + kernelRelease.substr(0, kernelRelease.find('-')) +
                        " reports no parity errors (5.9 and later report each character's)"};
        return {known.chips, known.status, known.why};
    }
    return {};
}

std::string adapterDescription(std::optional<UsbId> id, const AdapterFamily& family)
{
    const std::string usb = id ? "USB " + hex4(id->vendor) + ":" + hex4(id->product) : "no USB id";
    if (!family.status)
        return usb +
               " (a kind of adapter not known here): the ninth bits are checked unless the stream shows "
               "they cannot be";
    return usb + " (" + family.chips + "): " + family.why + ", " + consequence(*family.status);
}

} // namespace sus
