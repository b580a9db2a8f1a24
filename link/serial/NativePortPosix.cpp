#include "link/serial/NativePort.h"

#include <QSerialPort>
#include <QString>

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

bool hasModemLines(const QSerialPort& port)
{
    // Unix 98 pseudo-terminals live under /dev/pts; a user may name one as the controller's port.
    const QString name = port.portName();
    const QString location = name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
    return !location.startsWith(QStringLiteral("/dev/pts/"));
}

bool prepareOpenedPort(QSerialPort&)
{
    // termios has no DSR flow control, and Qt sets everything else the line needs.
    return true;
}

} // namespace sus
