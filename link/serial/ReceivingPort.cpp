// SPDX-License-Identifier: Apache-2.0
#include "link/serial/ReceivingPort.h"

#include "link/LineTiming.h"
#include "link/serial/PortFault.h"

#include <QSerialPortInfo>

namespace sus {
namespace {

// Qt's words for a port that did not open, and what to do about it. Any maker's adapter may listen,
// so the controller's udev rule is no fix here.
std::string whyNotOpened(const QSerialPort& port)
{
    const std::string words = port.errorString().toStdString();
    switch (portFault(port).kind) {
    case DeviceFault::Kind::PermissionDenied:
        return words + "; add the user to the dialout group and log in again";
    case DeviceFault::Kind::Busy:
        return words + "; close the program that uses the port, then try again";
    default:
        return words + "; check the port's name, and that the adapter is plugged in";
    }
}

} // namespace

std::unique_ptr<ReceivingPort> ReceivingPort::open(const std::string& name, std::string& error)
{
    auto listener = std::unique_ptr<ReceivingPort>(new ReceivingPort);
    QSerialPort& port = listener->port_;
    port.setPortName(QString::fromStdString(name));
    if (!port.open(QIODevice::ReadOnly)) {
        error = whyNotOpened(port);
        return nullptr;
    }
    const bool set = port.setBaudRate(static_cast<qint32>(kLineBaud)) &&
                     port.setDataBits(QSerialPort::Data8) && port.setParity(QSerialPort::MarkParity) &&
                     port.setStopBits(QSerialPort::OneStop) &&
                     port.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        error = "its line settings could not be set: " + port.errorString().toStdString();
        return nullptr;
    }
    // What came before the marking went on cannot be read right.
    port.clear(QSerialPort::Input);
    if (!markReceiveErrors(port, error))
        return nullptr;
    return listener;
}

ReceivingPort::Read ReceivingPort::read(std::vector<std::uint8_t>& into, int waitMs, std::string& error)
{
    if (port_.bytesAvailable() == 0 && !port_.waitForReadyRead(waitMs)) {
        if (port_.error() == QSerialPort::TimeoutError || port_.error() == QSerialPort::NoError) {
            port_.clearError();
            return Read::Quiet;
        }
        error = port_.errorString().toStdString();
        return Read::Gone;
    }
    const QByteArray bytes = port_.readAll();
    into.insert(into.end(), bytes.begin(), bytes.end());
    return Read::Data;
}

std::optional<UsbId> ReceivingPort::usbId() const
{
    const QSerialPortInfo info(port_);
    if (!info.hasVendorIdentifier() || !info.hasProductIdentifier())
        return std::nullopt;
    return UsbId{info.vendorIdentifier(), info.productIdentifier()};
}

std::string ReceivingPort::adapterCounts() const
{
    return receiveErrorCounts(port_);
}

} // namespace sus
