// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sus {

// A handle on an opened device; kNoDevice when nothing is open.
using DeviceHandle = int;
inline constexpr DeviceHandle kNoDevice = -1;

enum class Parity : std::uint8_t { None, Odd, Even, Mark, Space };

// The state of a serial line, as read back from and written to the device.
struct LineState {
    std::uint32_t baudRate = 9600;
    std::uint8_t dataBits = 8;
    Parity parity = Parity::None;
    std::uint8_t stopBits = 1;
    bool ctsFlow = false;
    bool dsrFlow = false;
    bool dtr = false;
    bool rts = false;

    friend bool operator==(const LineState&, const LineState&) = default;
};

// Why a device could not be opened, configured or written to, as the operating system put it. The
// kind decides what the user is told to do; the detail is kept for faults no kind covers.
struct DeviceFault {
    enum class Kind : std::uint8_t {
        None,             // nothing has failed
        PermissionDenied, // this user may not open the port
        Busy,             // another program holds the port
        Gone,             // the device is no longer attached
        Other,            // anything else: only the detail says what
    };
    Kind kind = Kind::None;
    std::string detail; // the operating system's own words; may be empty

    friend bool operator==(const DeviceFault&, const DeviceFault&) = default;
};

// The detail of a fault on a handle that is not open: the program's own mistake, not the system's.
inline constexpr const char* kHandleNotOpenDetail = "The port is not open.";

// The attached USB-to-UART bridges and the serial line of an opened one. Every device of the
// system is reached through this interface: the real backend over the operating system's serial
// ports, the simulated controller in tests, demos and the command-line companion.
class DeviceLayer {
public:
    virtual ~DeviceLayer() = default;

    // Counts the attached devices into `count`; 0 on success (only then is `count` valid).
    virtual int countDevices(std::uint32_t& count) = 0;

    // What names the device at `index` for as long as it stays attached (its port name), so that a
    // device can be found again after others came or went. Empty when there is no such index.
    virtual std::string deviceIdentity(std::uint32_t index) = 0;

    // Opens the device at `index`; kNoDevice when it could not be opened.
    virtual DeviceHandle open(std::uint32_t index) = 0;

    // The USB identifiers of an opened device.
    virtual std::uint16_t vendorId(DeviceHandle handle) = 0;
    virtual std::uint16_t productId(DeviceHandle handle) = 0;

    // Closes an opened device after every byte written to it has left the line.
    virtual void close(DeviceHandle handle) = 0;

    // Reads the line state; false when the handle is not open or the device failed.
    virtual bool getLineState(DeviceHandle handle, LineState& state) = 0;

    // Applies a line state. Bytes already written leave the line with the rate and parity that were
    // in force when they were written: a change never reaches back to them.
    virtual bool setLineState(DeviceHandle handle, const LineState& state) = 0;

    // Writes `count` bytes; true when all of them were accepted. A write of zero bytes to an open
    // handle succeeds and sends nothing.
    virtual bool write(DeviceHandle handle, const std::uint8_t* data, std::size_t count) = 0;

    // Why the most recent failing call of open(), getLineState(), setLineState() or write() failed.
    // Each failing call of these sets it, whichever handle it was on; a successful open() clears it
    // to Kind::None, as it is before anything has failed. Other calls leave it alone.
    virtual DeviceFault lastFault() const = 0;

    // Other makers' USB serial devices attached, each by its port name and what it calls itself,
    // for telling a user what is there. They are never opened. None where the layer cannot tell.
    virtual std::vector<std::string> otherUsbSerialDevices() { return {}; }
};

} // namespace sus
