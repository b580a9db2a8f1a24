// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sus {

// How a receiving adapter's driver hands over the errors its UART saw, which is what decides
// whether a witness can read the ninth bits of this line (a parity error is a ninth bit of 0).
enum class LineStatus {
    PerCharacter, // each character's own parity, framing and break status
    PerUsbPacket, // one status for a whole USB packet, put on every character in it
    NoParity,     // no parity error reaches the reader at all
};

struct UsbId {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};

// A family of USB-UART chips, by what its Linux driver reports.
struct AdapterFamily {
    std::string chips;                // "FTDI"; empty when not known
    std::optional<LineStatus> status; // nothing: not known, the stream shows it
    std::string why;                  // what the status comes from, for the line that names it
};

// The family of the adapter with USB id `id` (nothing: it has none the system tells) on a system
// whose kernel release is `kernelRelease` ("6.1.0-28-amd64"; empty: not Linux, or not known).
AdapterFamily adapterFamilyOf(std::optional<UsbId> id, const std::string& kernelRelease);

// How the witness reads a port with such an adapter, for the line that starts listening:
// "USB 0403:6001 (FTDI): its driver flags ..., so the ninth bits are not checked, only the bytes".
std::string adapterDescription(std::optional<UsbId> id, const AdapterFamily& family);

} // namespace sus
