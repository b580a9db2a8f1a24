#include "link/serial/SerialDeviceLayer.h"

#include "link/LineTiming.h"
#include "link/Link.h"
#include "link/serial/PortDrain.h"
#include "link/serial/PortFault.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

namespace sus {

namespace {

// Slack on top of the time the bytes need on the line before a write counts as stuck.
constexpr int kWriteSlackMs = 2000;

QSerialPort::Parity toQt(Parity parity)
{
    switch (parity) {
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    case Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

Parity fromQt(QSerialPort::Parity parity)
{
    switch (parity) {
    case QSerialPort::OddParity:
        return Parity::Odd;
    case QSerialPort::EvenParity:
        return Parity::Even;
    case QSerialPort::MarkParity:
        return Parity::Mark;
    case QSerialPort::SpaceParity:
        return Parity::Space;
    default:
        break;
    }
    return Parity::None;
}

LineState readLineState(QSerialPort& port)
{
    LineState state;
    state.baudRate = static_cast<std::uint32_t>(port.baudRate(QSerialPort::Output));
    state.dataBits = static_cast<std::uint8_t>(port.dataBits());
    state.parity = fromQt(port.parity());
    state.stopBits = port.stopBits() == QSerialPort::TwoStop ? 2 : 1;
    state.ctsFlow = port.flowControl() == QSerialPort::HardwareControl;
    state.dsrFlow = false; // Qt offers no DSR flow control; it is never switched on
    state.dtr = port.isDataTerminalReady();
    state.rts = port.isRequestToSend();
    return state;
}

// Whether the port has modem-control lines: a pseudo-terminal has none, so DTR and RTS cannot be
// set there, while on a bridge failing to set them is a fault.
bool hasModemLines(QSerialPort& port)
{
    port.clearError();
    port.pinoutSignals();
    const bool supported = port.error() == QSerialPort::NoError;
    port.clearError();
    return supported;
}

} // namespace

SerialDeviceLayer::SerialDeviceLayer(std::string onlyPort) : onlyPort_(std::move(onlyPort)) {}

SerialDeviceLayer::~SerialDeviceLayer()
{
    while (!ports_.empty())
        close(ports_.begin()->first);
}

void SerialDeviceLayer::refreshDevices()
{
    devices_.clear();
    if (!onlyPort_.empty()) {
        devices_.push_back({onlyPort_, kControllerVendorId, kControllerProductId});
        return;
    }
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            devices_.push_back(
                {info.portName().toStdString(), info.vendorIdentifier(), info.productIdentifier()});
    }
    std::ranges::sort(devices_, {}, &Device::portName);
}

int SerialDeviceLayer::countDevices(std::uint32_t& count)
{
    refreshDevices();
    count = static_cast<std::uint32_t>(devices_.size());
    return 0;
}

std::string SerialDeviceLayer::deviceIdentity(std::uint32_t index)
{
    return index < devices_.size() ? devices_[index].portName : std::string{};
}

DeviceHandle SerialDeviceLayer::open(std::uint32_t index)
{
    if (index >= devices_.size()) {
        lastFault_ = {DeviceFault::Kind::Gone, {}};
        return kNoDevice;
    }
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(QString::fromStdString(devices_[index].portName));
    if (!port->open(QIODevice::ReadWrite)) {
        lastFault_ = portFault(*port, devices_[index].portName);
        return kNoDevice;
    }
    lastFault_ = {};
    const DeviceHandle handle = nextHandle_++;
    const bool modemLines = hasModemLines(*port);
    ports_[handle] = {devices_[index], std::move(port), modemLines};
    return handle;
}

SerialDeviceLayer::OpenPort* SerialDeviceLayer::find(DeviceHandle handle)
{
    auto found = ports_.find(handle);
    return found == ports_.end() ? nullptr : &found->second;
}

bool SerialDeviceLayer::failOn(const OpenPort& open)
{
    lastFault_ = portFault(*open.port, open.device.portName);
    return false;
}

bool SerialDeviceLayer::failNotOpen()
{
    lastFault_ = {DeviceFault::Kind::Other, kHandleNotOpenDetail};
    return false;
}

std::uint16_t SerialDeviceLayer::vendorId(DeviceHandle handle)
{
    const OpenPort* open = find(handle);
    return open ? open->device.vendorId : 0;
}

std::uint16_t SerialDeviceLayer::productId(DeviceHandle handle)
{
    const OpenPort* open = find(handle);
    return open ? open->device.productId : 0;
}

void SerialDeviceLayer::close(DeviceHandle handle)
{
    OpenPort* open = find(handle);
    if (!open)
        return;
    waitUntilSent(*open->port);
    open->port->close();
    ports_.erase(handle);
}

bool SerialDeviceLayer::getLineState(DeviceHandle handle, LineState& state)
{
    const OpenPort* open = find(handle);
    if (!open)
        return false;
    state = readLineState(*open->port);
    return true;
}

bool SerialDeviceLayer::waitUntilSent(QSerialPort& port)
{
    const LineState line = readLineState(port);
    const auto lineMs = static_cast<int>(port.bytesToWrite() * characterDurationNs(line) / 1'000'000);
    while (port.bytesToWrite() > 0) {
        if (!port.waitForBytesWritten(lineMs + kWriteSlackMs))
            return false;
    }
    if (!drainPort(port))
        return false;
    // A USB bridge may report its queue empty while the last character is still being shifted out.
    std::this_thread::sleep_for(std::chrono::nanoseconds(characterDurationNs(line)));
    return true;
}

bool SerialDeviceLayer::setLineState(DeviceHandle handle, const LineState& state)
{
    OpenPort* open = find(handle);
    if (!open)
        return failNotOpen();
    QSerialPort& port = *open->port;
    const LineState current = readLineState(port);
    if ((state.baudRate != current.baudRate || state.parity != current.parity) && !waitUntilSent(port))
        return failOn(*open);
    // Only what differs is touched: Qt refuses to set some custom rates a second time.
    bool ok = true;
    if (state.baudRate != current.baudRate)
        ok = port.setBaudRate(static_cast<qint32>(state.baudRate)) && ok;
    if (state.dataBits != current.dataBits)
        ok = port.setDataBits(static_cast<QSerialPort::DataBits>(state.dataBits)) && ok;
    if (state.parity != current.parity)
        ok = port.setParity(toQt(state.parity)) && ok;
    if (state.stopBits != current.stopBits)
        ok = port.setStopBits(state.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) && ok;
    if (state.ctsFlow != current.ctsFlow)
        ok = port.setFlowControl(state.ctsFlow ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl) &&
             ok;
    if (!open->modemLines)
        return ok || failOn(*open);
    if (state.dtr != current.dtr)
        ok = port.setDataTerminalReady(state.dtr) && ok;
    // With hardware flow control the driver owns RTS.
    if (!state.ctsFlow && state.rts != current.rts)
        ok = port.setRequestToSend(state.rts) && ok;
    return ok || failOn(*open);
}

bool SerialDeviceLayer::write(DeviceHandle handle, const std::uint8_t* data, std::size_t count)
{
    OpenPort* open = find(handle);
    if (!open)
        return failNotOpen();
    if (count == 0)
        return true;
    QSerialPort& port = *open->port;
    const auto size = static_cast<qint64>(count);
    if (port.write(reinterpret_cast<const char*>(data), size) != size)
        return failOn(*open);
    // Writes are synchronous: the next line change must find these bytes on their way.
    const auto lineMs = static_cast<int>(size * characterDurationNs(readLineState(port)) / 1'000'000);
    while (port.bytesToWrite() > 0) {
        if (!port.waitForBytesWritten(lineMs + kWriteSlackMs))
            return failOn(*open);
    }
    return true;
}

} // namespace sus
