// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Clock.h"
#include "link/ControllerUsbId.h"
#include "link/DeviceLayer.h"
#include "sim/TxLine.h"

#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace sus {

// An attached USB-to-UART bridge as the simulation sees it.
struct SimulatedDevice {
    std::string identity; // the port name that names it while attached
    std::uint16_t vendorId = kControllerVendorId;
    std::uint16_t productId = kControllerProductId;
    bool openable = true;
    // What an open reports while the device is not openable.
    DeviceFault::Kind refusal = DeviceFault::Kind::Other;
};

// A device layer without hardware: a configurable set of attached devices and a model of the
// controller's transmit line, stamped by a clock (a virtual one in tests, the wall clock in demos).
// Devices are counted in the order they were attached. A device can be open once at a time, as a
// serial port can, and a second open reports it busy. Faults carry the words a POSIX system would
// give (strerror's). Every call is recorded, and the writes go onto one TxLine, whose t = 0 is the
// open of the handle that wrote first.
class SimulatedController : public DeviceLayer {
public:
    // One recorded call of the device layer.
    enum class Op { Count, Open, VendorId, ProductId, Close, GetLineState, SetLineState, Write };
    struct Call {
        Op op = Op::Count;
        DeviceHandle handle = kNoDevice; // Open: the handle it gave
        std::uint32_t index = 0;         // Open: the index asked for
        LineState line;                  // GetLineState: what was read; SetLineState: what was asked
        std::size_t byteCount = 0;       // Write: bytes asked to write
        bool ok = true;
    };

    explicit SimulatedController(const Clock& clock);

    // Attached devices.
    void attach(SimulatedDevice device);
    // Unplugs a device: it leaves the count, and its open handles fail from now on. False when not attached.
    bool detach(const std::string& identity);
    // A device that is not openable refuses every open with `refusal`.
    void setOpenable(const std::string& identity, bool openable,
                     DeviceFault::Kind refusal = DeviceFault::Kind::Other);
    // A non-zero result makes the count fail.
    void setCountResult(int result) { countResult_ = result; }
    const std::vector<SimulatedDevice>& devices() const { return devices_; }

    // Faults of the line, as when the controller is pulled out while sending: the device written
    // to is unplugged once `bytes` more bytes have gone out (a write that crosses the limit sends
    // the bytes up to it and fails), or by the first write at or after clock time `clockNs`.
    void unplugAfterBytes(std::uint64_t bytes) { bytesUntilUnplug_ = bytes; }
    void unplugAtTime(std::int64_t clockNs) { unplugAtNs_ = clockNs; }

    // What happened.
    const std::vector<Call>& calls() const { return calls_; }
    // Calls of `op` since the start or the last clearCalls(), whether they are kept or not.
    std::size_t callCount(Op op) const { return callCounts_[static_cast<std::size_t>(op)]; }
    void clearCalls();
    std::size_t openHandleCount() const { return handles_.size(); }
    const TxLine& txLine() const { return tx_; }
    // Starts a fresh recording: the next writing handle's open becomes t = 0 again.
    void clearTxLine() { tx_.clear(); }

    // Whether calls and line writes are kept for calls() and txLine() (the default), or only
    // counted and timed: a soak of millions of frames then runs in the same memory throughout.
    enum class Recording { Everything, CountsOnly };
    void setRecording(Recording recording);

    // DeviceLayer
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

private:
    struct OpenPort {
        std::string identity;
        std::int64_t openedAtNs = 0;
    };

    SimulatedDevice* attachedDevice(const std::string& identity);
    // The attached device behind an open handle, or null.
    SimulatedDevice* deviceOf(DeviceHandle handle);
    // Records why a call failed.
    void fail(DeviceFault::Kind kind);
    // Records why a call on `handle` found no attached device behind it.
    void failOnHandle(DeviceHandle handle);
    // The record of a call, to be filled in; a scratch one while calls are not kept.
    Call& record(Op op, DeviceHandle handle, bool ok);

    const Clock& clock_;
    std::vector<SimulatedDevice> devices_;
    std::map<std::string, LineState> lineStates_; // kept per device across opens, like a driver
    std::map<DeviceHandle, OpenPort> handles_;
    DeviceHandle nextHandle_ = 1;
    int countResult_ = 0;
    std::uint64_t bytesUntilUnplug_ = std::numeric_limits<std::uint64_t>::max();
    std::int64_t unplugAtNs_ = std::numeric_limits<std::int64_t>::max();
    TxLine tx_;
    std::vector<Call> calls_;
    std::array<std::size_t, static_cast<std::size_t>(Op::Write) + 1> callCounts_{};
    bool keepCalls_ = true;
    Call scratchCall_;
    DeviceFault lastFault_;
};

} // namespace sus
