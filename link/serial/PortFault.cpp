#include "link/serial/PortFault.h"

#include <QSerialPort>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace sus {

namespace {

// Whether this user may read and write the port's device node. Qt reports a port that another
// program holds as a permission error too (the port's lock file is taken, or the driver keeps the
// port exclusive), so only the node's own permissions tell a forbidden port from a busy one.
bool userMayOpen([[maybe_unused]] const std::string& portName)
{
#ifdef Q_OS_WIN
    // A COM port has no permissions of its own: access is denied while another program has it open.
    return true;
#else
    const std::string node = portName.find('/') == std::string::npos ? "/dev/" + portName : portName;
    return ::access(node.c_str(), R_OK | W_OK) == 0;
#endif
}

} // namespace

DeviceFault portFault(const QSerialPort& port, const std::string& portName)
{
    using Kind = DeviceFault::Kind;
    const std::string detail = port.errorString().toStdString();
    switch (port.error()) {
    case QSerialPort::PermissionError:
        return {userMayOpen(portName) ? Kind::Busy : Kind::PermissionDenied, detail};
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
