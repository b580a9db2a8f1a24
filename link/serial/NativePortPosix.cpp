// SPDX-License-Identifier: Apache-2.0
#include "link/serial/NativePort.h"

#include <QSerialPort>
#include <QString>

#include <cerrno>
#include <cstring>
#include <termios.h>
#include <unistd.h>

namespace sus {

DeviceFault drainPort(QSerialPort& port)
{
    int result = 0;
    do {
        result = ::tcdrain(port.handle());
    } while (result != 0 && errno == EINTR);
    if (result == 0)
        return {};
    const int error = errno;
    // The driver hangs the line up when its device goes: every call on it fails with EIO from then on.
    const bool gone = error == EIO || error == ENXIO || error == ENODEV;
    return {gone ? DeviceFault::Kind::Gone : DeviceFault::Kind::Other, std::strerror(error)};
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
