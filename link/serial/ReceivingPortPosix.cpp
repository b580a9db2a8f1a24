// SPDX-License-Identifier: Apache-2.0
#include "link/serial/ReceivingPort.h"

#include <cerrno>
#include <cstring>
#include <sys/ioctl.h>
#include <sys/utsname.h>
#include <termios.h>
#if defined(__linux__)
#include <linux/serial.h>
#endif

namespace sus {

namespace {

// Parity checked and its errors marked, breaks marked, characters kept whole. Mark parity on the
// receiving side needs the "stick" parity bit, which not every system has.
#if defined(CMSPAR)
constexpr tcflag_t kControlSet = PARENB | PARODD | CMSPAR;
#else
constexpr tcflag_t kControlSet = 0;
#endif
constexpr tcflag_t kInputSet = INPCK | PARMRK;
constexpr tcflag_t kInputClear = IGNPAR | IGNBRK | BRKINT | ISTRIP;

bool marksAsNeeded(const termios& settings)
{
    return (settings.c_cflag & kControlSet) == kControlSet && (settings.c_iflag & kInputSet) == kInputSet &&
           (settings.c_iflag & kInputClear) == 0;
}

} // namespace

bool markReceiveErrors(QSerialPort& port, std::string& error)
{
    if (kControlSet == 0) {
        error = "this system cannot check mark parity on a receiving port; record the stream where it can "
                "and read "
                "it with --input";
        return false;
    }
    const int fd = static_cast<int>(port.handle());
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        error = std::strerror(errno);
        return false;
    }
    settings.c_cflag |= kControlSet;
    settings.c_iflag = (settings.c_iflag | kInputSet) & ~kInputClear;
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        error = std::strerror(errno);
        return false;
    }
    // A driver may take the request and keep only part of it, as a pseudo-terminal does with parity.
    termios kept{};
    if (::tcgetattr(fd, &kept) != 0 || !marksAsNeeded(kept)) {
        error = "the port does not keep mark parity checking with errors marked, so it cannot tell a ninth "
                "bit of 0 "
                "from 1 (is it a USB-UART?)";
        return false;
    }
    return true;
}

std::string receiveErrorCounts(const QSerialPort& port)
{
#if defined(__linux__)
    serial_icounter_struct counts{};
    if (::ioctl(static_cast<int>(port.handle()), TIOCGICOUNT, &counts) != 0)
        return {};
    return "The adapter counted " + std::to_string(counts.overrun + counts.buf_overrun) + " overrun(s), " +
           std::to_string(counts.frame) + " framing error(s), " + std::to_string(counts.parity) +
           " parity error(s) and " + std::to_string(counts.brk) + " break(s).";
#else
    (void)port;
    return {};
#endif
}

std::string driverKernelRelease()
{
#if defined(__linux__)
    utsname system{};
    if (::uname(&system) == 0)
        return system.release;
#endif
    return {};
}

} // namespace sus
