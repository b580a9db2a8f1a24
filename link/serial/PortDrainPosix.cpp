#include "link/serial/PortDrain.h"

#include <QSerialPort>

#include <cerrno>
#include <termios.h>

namespace sus {

bool drainPort(QSerialPort& port)
{
    int result = 0;
    do {
        result = ::tcdrain(port.handle());
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

} // namespace sus
