// SPDX-License-Identifier: Apache-2.0
#include "tests/link/serial/PtyLineRate.h"

// The kernel's termios2 carries custom rates, which the C library's termios does not show; its
// headers clash with <termios.h>, so they stay in this file alone.
#include <asm/ioctls.h>
#include <asm/termbits.h>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace sus::test {

std::uint32_t terminalOutputBaud(int fd)
{
    termios2 settings{};
    return ioctl(fd, TCGETS2, &settings) == 0 ? settings.c_ospeed : 0;
}

} // namespace sus::test
