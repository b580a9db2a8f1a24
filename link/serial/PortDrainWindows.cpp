#include "link/serial/PortDrain.h"

#include <QSerialPort>

#include <windows.h>

namespace sus {

bool drainPort(QSerialPort& port)
{
    return FlushFileBuffers(port.handle()) != 0;
}

} // namespace sus
