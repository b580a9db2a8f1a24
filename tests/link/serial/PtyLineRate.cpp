#include "tests/link/serial/PtyLineRate.h"

// The kernel's termios2 carries custom rates, which the C library's termios does not show; its
// headers clash with <termios.h>, so they stay in this file alone.
#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <fcntl.h>
#include <unistd.h>

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace sus::test {

std::uint32_t terminalOutputBaud(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return 0;
    termios2 settings{};
    const bool read = ioctl(fd, TCGETS2, &settings) == 0;
    ::close(fd);
    return read ? settings.c_ospeed : 0;
}

} // namespace sus::test
