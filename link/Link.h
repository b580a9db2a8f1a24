#pragma once

#include "link/DeviceLayer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace sus {

class Presenter;

// USB identity of the controller.
inline constexpr std::uint16_t kControllerVendorId = 0x10C4;
inline constexpr std::uint16_t kControllerProductId = 0xFF01;

// Line rates of the framing: the DMX/update rate, and the slow rate whose zero byte makes a break.
inline constexpr std::uint32_t kLineBaud = 250000;
inline constexpr std::uint32_t kBreakBaud = 64000;

// The program's one link to the controller, shared by the update run and DMX output: controller
// discovery, opening and closing the link, and the two framing primitives.
// Every operation reads the handle afresh; with the link closed the primitives send nothing and
// report failure.
class Link {
public:
    Link(DeviceLayer& devices, Presenter& presenter);

    // Searches every attached device once (at start-up); an open link is closed first. Each controller found
    // is announced with "Controller has been found!"; the last one found is the one the link opens later.
    void discoverController();

    // "OK" once a controller was found, "NO" before.
    const std::string& controllerState() const { return controllerState_; }
    bool controllerFound() const;
    std::uint32_t controllerIndex() const { return controllerIndex_; }
    // The port name of the controller found at start-up; empty before.
    const std::string& controllerIdentity() const { return controllerIdentity_; }

    DeviceHandle handle() const { return handle_; }
    bool isOpen() const { return handle_ != kNoDevice; }

    // Opens the controller found at start-up and applies the line settings: 250000 baud, 8 data
    // bits, space parity, one stop bit, no flow control, DTR on, RTS off. A link that is already
    // open is closed first. Fails (link closed) when that controller is no longer attached or cannot
    // be opened or configured, or when the device now under its port name is not a controller.
    bool OpenLink();

    // Closes the link if it is open; does nothing otherwise.
    void CloseLink();

    // Sends `count` (at least 1; 0 sends nothing and fails) bytes: the first with parity bit 0 (space), the
    // others with parity bit 1 (mark), at the rate the line has. The line is left in mark parity.
    bool MarkedWrite(const std::uint8_t* data, std::size_t count);

    // How a break's zero byte is sent: DMX output writes it plainly; a wake-up frame sends it as a
    // one-byte marked write.
    enum class BreakForm { PlainWrite, MarkedWrite };

    // The DMX break: the zero byte at 64000 baud with space parity (156.25 us low), then the line
    // back at 250000 baud with mark parity.
    bool BreakByte(BreakForm form, const std::uint8_t& zeroByte);

    // One plain write at the line's current rate and parity.
    bool write(const std::uint8_t* data, std::size_t count);

    // Sets mark parity once more on the line state last read (the DMX frame's step after the start code).
    bool applyMarkParity();

    // The line-state record that opening and framing fill and change in place.
    const LineState& lineSettings() const { return lineSettings_; }

    // Why the link failed, for the user: the first fault since discoverController() or OpenLink()
    // began (a device discovery could not open, the controller not opening or configuring, a step of
    // a framing primitive), and the port it was on; Kind::None while nothing has failed since. With no
    // controller found, OpenLink() leaves discovery's fault as it was.
    const DeviceFault& lastFault() const { return lastFault_; }
    const std::string& faultPort() const { return faultPort_; }

private:
    // Where the controller found at start-up is attached now, by its identity; there must be one.
    std::optional<std::uint32_t> locateController();
    // Keeps `fault` on `port` unless an earlier one is kept: later faults follow from the first.
    void noteFault(const std::string& port, DeviceFault fault);
    // Passes a device call's result on, noting the device's fault when it failed.
    bool step(bool ok);
    void clearFault();

    DeviceLayer& devices_;
    Presenter& presenter_;
    std::string controllerState_ = "NO";
    std::uint32_t controllerIndex_ = 0;
    std::string controllerIdentity_;
    DeviceHandle handle_ = kNoDevice;
    LineState lineSettings_;
    DeviceFault lastFault_;
    std::string faultPort_;
};

} // namespace sus
