// SPDX-License-Identifier: Apache-2.0
#include "link/serial/PortFault.h"

#include "link/serial/NativePort.h"

#include <QSerialPort>

namespace sus {

DeviceFault portFault(const QSerialPort& port)
{
    using Kind = DeviceFault::Kind;
    const std::string detail = port.errorString().toStdString();
    switch (port.error()) {
    // Qt reports a port that another program holds as a permission error too (its lock file is
    // taken, or the driver keeps the port exclusive): only the node's own permissions tell a
    // forbidden port from a busy one.
    case QSerialPort::PermissionError:
        return {userMayOpen(port) ? Kind::Busy : Kind::PermissionDenied, detail};
    case QSerialPort::OpenError:
        return {Kind::Busy, detail};
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::ResourceError:
    // Nothing here reads from the port, so a read that fails is Qt finding the line hung up: the
    // driver ends the line when its device goes. Qt's words are then stale ones.
    case QSerialPort::ReadError:
        return {Kind::Gone, detail};
    case QSerialPort::NoError:
        // The failure was not Qt's (a drain of the line, say): there are no words to pass on.
        return {Kind::Other, {}};
    default:
        break;
    }
    return {Kind::Other, detail};
}

} // namespace sus
