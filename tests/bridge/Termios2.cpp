// SPDX-License-Identifier: Apache-2.0
// The ioctl interposer and what the model bridge knows of the kernel's termios. The kernel's
// headers clash with the C library's <termios.h>, so they stay in this file alone.

#include "tests/bridge/ModelBridge.h"
#include "tests/bridge/PortSettings.h"
#include "tests/bridge/RealCalls.h"
#include "tests/bridge/TermiosFields.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <utility>

namespace sus::bridge {
namespace {

constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 31> kRates{{
    {B0, 0},
    {B50, 50},
    {B75, 75},
    {B110, 110},
    {B134, 134},
    {B150, 150},
    {B200, 200},
    {B300, 300},
    {B600, 600},
    {B1200, 1200},
    {B1800, 1800},
    {B2400, 2400},
    {B4800, 4800},
    {B9600, 9600},
    {B19200, 19200},
    {B38400, 38400},
    {B57600, 57600},
    {B115200, 115200},
    {B230400, 230400},
    {B460800, 460800},
    {B500000, 500000},
    {B576000, 576000},
    {B921600, 921600},
    {B1000000, 1000000},
    {B1152000, 1152000},
    {B1500000, 1500000},
    {B2000000, 2000000},
    {B2500000, 2500000},
    {B3000000, 3000000},
    {B3500000, 3500000},
    {B4000000, 4000000},
}};

PortSettings fromTermios2(const termios2& settings)
{
    PortSettings port = settingsFrom(settings);
    if ((settings.c_cflag & CBAUD) == BOTHER)
        port.baud = settings.c_ospeed;
    return port;
}

int handle(int fd, unsigned long request, void* argument)
{
    ModelBridge& bridge = ModelBridge::instance();
    const std::string name = ioctlName(request);
    if (const auto refused = bridge.refusedWhenGone(fd, name))
        return *refused;
    std::optional<int> result;
    switch (request) {
    case TCGETS:
        if (const auto kept = bridge.settings(fd, "TCGETS")) {
            settingsInto(*kept, *static_cast<termios*>(argument));
            return 0;
        }
        return real::ioctl(fd, request, argument);
    case TCGETS2:
        if (const auto kept = bridge.settings(fd, "TCGETS2")) {
            auto& settings = *static_cast<termios2*>(argument);
            settingsInto(*kept, settings);
            settings.c_ispeed = settings.c_ospeed = kept->baud;
            return 0;
        }
        return real::ioctl(fd, request, argument);
    case TCSETS:
    case TCSETSW:
    case TCSETSF:
        result = bridge.setSettings(fd, settingsFrom(*static_cast<const termios*>(argument)),
                                    request != TCSETS, name.c_str());
        break;
    case TCSETS2:
    case TCSETSW2:
    case TCSETSF2:
        result = bridge.setSettings(fd, fromTermios2(*static_cast<const termios2*>(argument)),
                                    request != TCSETS2, name.c_str());
        break;
    case TIOCMGET:
    case TIOCMSET:
    case TIOCMBIS:
    case TIOCMBIC:
        if (const auto done = bridge.modemLines(fd, request, *static_cast<int*>(argument), name.c_str()))
            return *done;
        return real::ioctl(fd, request, argument);
    case TCSBRK:
        // A non-zero argument asks only to wait until the output has gone: tcdrain.
        if (argument != nullptr)
            result = bridge.drain(fd, name.c_str());
        else if (bridge.note(fd, name))
            result = 0;
        break;
    default:
        bridge.note(fd, name);
        return real::ioctl(fd, request, argument);
    }
    if (!result)
        return real::ioctl(fd, request, argument);
    // What the model took, the pseudo-terminal takes too, so that it behaves as set up; what it
    // refused (the bridge pulled out) stays refused, with its errno.
    if (*result == 0)
        real::ioctl(fd, request, argument);
    return *result;
}

} // namespace

std::optional<std::uint32_t> standardRate(std::uint32_t cflag)
{
    const std::uint32_t bits = cflag & CBAUD;
    if (bits == BOTHER)
        return std::nullopt;
    const auto found = std::ranges::find(kRates, bits, &std::pair<std::uint32_t, std::uint32_t>::first);
    return found == kRates.end() ? std::nullopt : std::optional(found->second);
}

LineState lineStateOf(const PortSettings& settings)
{
    LineState line;
    line.baudRate = settings.baud;
    switch (settings.cflag & CSIZE) {
    case CS5:
        line.dataBits = 5;
        break;
    case CS6:
        line.dataBits = 6;
        break;
    case CS7:
        line.dataBits = 7;
        break;
    default:
        line.dataBits = 8;
        break;
    }
    const bool odd = (settings.cflag & PARODD) != 0;
    if ((settings.cflag & PARENB) == 0)
        line.parity = Parity::None;
    else if ((settings.cflag & CMSPAR) != 0)
        line.parity = odd ? Parity::Mark : Parity::Space;
    else
        line.parity = odd ? Parity::Odd : Parity::Even;
    line.stopBits = (settings.cflag & CSTOPB) != 0 ? 2 : 1;
    line.ctsFlow = (settings.cflag & CRTSCTS) != 0;
    return line;
}

ReceiveSettings receiveSettingsOf(const PortSettings& settings)
{
    ReceiveSettings receive;
    receive.markParity = (settings.cflag & (PARENB | PARODD | CMSPAR)) == (PARENB | PARODD | CMSPAR);
    receive.checkParity = (settings.iflag & INPCK) != 0;
    receive.markErrors = (settings.iflag & PARMRK) != 0;
    receive.ignoreErrors = (settings.iflag & IGNPAR) != 0;
    receive.ignoreBreaks = (settings.iflag & IGNBRK) != 0;
    return receive;
}

std::string ioctlName(unsigned long request)
{
    switch (request) {
    case TCGETS:
        return "TCGETS";
    case TCSETS:
        return "TCSETS";
    case TCSETSW:
        return "TCSETSW";
    case TCSETSF:
        return "TCSETSF";
    case TCGETS2:
        return "TCGETS2";
    case TCSETS2:
        return "TCSETS2";
    case TCSETSW2:
        return "TCSETSW2";
    case TCSETSF2:
        return "TCSETSF2";
    case TIOCMGET:
        return "TIOCMGET";
    case TIOCMSET:
        return "TIOCMSET";
    case TIOCMBIS:
        return "TIOCMBIS";
    case TIOCMBIC:
        return "TIOCMBIC";
    case TIOCEXCL:
        return "TIOCEXCL";
    case TIOCNXCL:
        return "TIOCNXCL";
    case TIOCGSERIAL:
        return "TIOCGSERIAL";
    case TIOCSSERIAL:
        return "TIOCSSERIAL";
    case TCSBRK:
        return "TCSBRK";
    case TCFLSH:
        return "TCFLSH";
    case TIOCOUTQ:
        return "TIOCOUTQ";
    case FIONREAD:
        return "FIONREAD";
    default:
        break;
    }
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "ioctl 0x%lX", request);
    return text.data();
}

} // namespace sus::bridge

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept
{
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    return sus::bridge::handle(fd, request, argument);
}
