#include "link/serial/NativePort.h"

#include <QSerialPort>
#include <QString>

#include <cerrno>
#include <termios.h>
#include <unistd.h>

namespace sus {

bool drainPort(QSerialPort& port)
{
    int result = 0;
    do {
        result = ::tcdrain(port.handle());
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

namespace {

// The device node: Qt takes a bare name as one under /dev.
QString nodeOf(const QSerialPort& port)
{
    const QString name = port.portName();
    return name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
}

} // namespace

bool hasModemLines(const QSerialPort& port)
{
    // Unix 98 pseudo-terminals live under /dev/pts; a user may name one as the controller's port.
    return !nodeOf(port).startsWith(QStringLiteral("/dev/pts/"));
}

bool userMayOpen(const QSerialPort& port)
{
    return ::access(nodeOf(port).toLocal8Bit().constData(), R_OK | W_OK) == 0;
}

bool prepareOpenedPort(QSerialPort&)
{
    // termios has no DSR flow control, and Qt sets everything else the line needs.
    return true;
}

} // namespace sus
