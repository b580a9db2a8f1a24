#include "tests/bridge/LibcTermios.h"

#include <algorithm>

namespace sus::bridge {

PortSettings fromLibc(const termios& settings)
{
    PortSettings port;
    port.iflag = settings.c_iflag;
    port.oflag = settings.c_oflag;
    port.cflag = settings.c_cflag;
    port.lflag = settings.c_lflag;
    port.lineDiscipline = settings.c_line;
    std::copy_n(settings.c_cc, port.controlChars.size(), port.controlChars.begin());
    port.baud = standardRate(settings.c_cflag).value_or(0);
    return port;
}

termios toLibc(const PortSettings& port)
{
    termios settings{};
    settings.c_iflag = port.iflag;
    settings.c_oflag = port.oflag;
    settings.c_cflag = port.cflag;
    settings.c_lflag = port.lflag;
    settings.c_line = port.lineDiscipline;
    std::copy(port.controlChars.begin(), port.controlChars.end(), settings.c_cc);
    // As the C library reports it: the rate bits, whatever number they stand for.
    settings.c_ispeed = settings.c_ospeed = port.cflag & (CBAUD | CBAUDEX);
    return settings;
}

} // namespace sus::bridge
