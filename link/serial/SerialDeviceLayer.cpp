// SPDX-License-Identifier: Apache-2.0
#include "link/serial/SerialDeviceLayer.h"

#include "core/Nanoseconds.h"
#include "link/ControllerUsbId.h"
#include "link/LineTiming.h"
#include "link/serial/NativePort.h"
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

// The settings Qt applied when it opened the port; Qt keeps them, so this asks the driver nothing.
LineState openedLineState(const QSerialPort& port)
{
    LineState state;
    state.baudRate = static_cast<std::uint32_t>(port.baudRate(QSerialPort::Output));
    state.dataBits = static_cast<std::uint8_t>(port.dataBits());
    state.parity = fromQt(port.parity());
    state.stopBits = port.stopBits() == QSerialPort::TwoStop ? 2 : 1;
    state.ctsFlow = port.flowControl() == QSerialPort::HardwareControl;
    state.dsrFlow = false; // Qt offers no DSR flow control; it is switched off on opening
    return state;
}

bool shapesCharactersDifferently(const LineState& a, const LineState& b)
{
    return a.baudRate != b.baudRate || a.parity != b.parity || a.dataBits != b.dataBits ||
           a.stopBits != b.stopBits;
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
    // Only the controller's bridge family is looked at: opening a port raises DTR, which resets
    // many development boards, so other makers' ports are left alone.
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.hasVendorIdentifier() && info.vendorIdentifier() == kControllerVendorId &&
            info.hasProductIdentifier())
            devices_.push_back(
                {info.portName().toStdString(), info.vendorIdentifier(), info.productIdentifier()});
    }
    std::ranges::sort(devices_, {}, &Device::portName);
}

std::vector<std::string> SerialDeviceLayer::otherUsbSerialDevices()
{
    std::vector<std::string> others;
    if (!onlyPort_.empty())
        return others;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (!info.hasVendorIdentifier() || info.vendorIdentifier() == kControllerVendorId)
            continue;
        const QString description = info.description().trimmed();
        others.push_back(info.portName().toStdString() +
                         (description.isEmpty() ? std::string() : " (" + description.toStdString() + ")"));
    }
    std::ranges::sort(others);
    return others;
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
    if (!port->open(QIODevice::ReadWrite) || !prepareOpenedPort(*port)) {
        lastFault_ = portFault(*port);
        port->close();
        return kNoDevice;
    }
    lastFault_ = {};
    const DeviceHandle handle = nextHandle_++;
    OpenPort& open = ports_[handle];
    open.device = devices_[index];
    open.modemLines = hasModemLines(*port);
    open.line = openedLineState(*port);
    open.port = std::move(port);
    return handle;
}

SerialDeviceLayer::OpenPort* SerialDeviceLayer::find(DeviceHandle handle)
{
    auto found = ports_.find(handle);
    return found == ports_.end() ? nullptr : &found->second;
}

bool SerialDeviceLayer::failOn(const OpenPort& open)
{
    lastFault_ = portFault(*open.port);
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
    if (open->writtenSinceWait)
        waitUntilSent(*open);
    open->port->close();
    ports_.erase(handle);
}

bool SerialDeviceLayer::getLineState(DeviceHandle handle, LineState& state)
{
    const OpenPort* open = find(handle);
    if (!open)
        return failNotOpen();
    state = open->line;
    state.dtr = open->dtr.value_or(false);
    state.rts = open->rts.value_or(false);
    return true;
}

bool SerialDeviceLayer::flushToDriver(OpenPort& open, std::size_t byteCount)
{
    const auto lineMs =
        static_cast<int>(static_cast<std::int64_t>(byteCount) * characterDurationNs(open.line) / kNsPerMs);
    while (open.port->bytesToWrite() > 0) {
        if (!open.port->waitForBytesWritten(lineMs + kWriteSlackMs))
            return false;
    }
    return true;
}

bool SerialDeviceLayer::waitUntilSent(OpenPort& open)
{
    if (!flushToDriver(open, static_cast<std::size_t>(open.port->bytesToWrite())))
        return failOn(open);
    if (DeviceFault fault = drainPort(*open.port); fault.kind != DeviceFault::Kind::None) {
        lastFault_ = std::move(fault);
        return false;
    }
    // A USB bridge may report its queue empty while the last character is still being shifted out.
    std::this_thread::sleep_for(std::chrono::nanoseconds(characterDurationNs(open.line)));
    open.writtenSinceWait = false;
    return true;
}

bool SerialDeviceLayer::setLineState(DeviceHandle handle, const LineState& state)
{
    OpenPort* open = find(handle);
    if (!open)
        return failNotOpen();
    QSerialPort& port = *open->port;
    LineState& line = open->line;
    if (shapesCharactersDifferently(state, line) && open->writtenSinceWait && !waitUntilSent(*open))
        return false;
    // Only what differs is touched: each change is a request to the bridge, and Qt refuses to
    // set some custom rates a second time. What the driver took is in force from then on.
    bool ok = true;
    const auto change = [&ok](auto& inForce, auto wanted, auto&& set) {
        if (inForce == wanted)
            return;
        if (set())
            inForce = wanted;
        else
            ok = false;
    };
    change(line.baudRate, state.baudRate,
           [&] { return port.setBaudRate(static_cast<qint32>(state.baudRate)); });
    change(line.dataBits, state.dataBits,
           [&] { return port.setDataBits(static_cast<QSerialPort::DataBits>(state.dataBits)); });
    change(line.parity, state.parity, [&] { return port.setParity(toQt(state.parity)); });
    change(line.stopBits, state.stopBits, [&] {
        return port.setStopBits(state.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    });
    change(line.ctsFlow, state.ctsFlow, [&] {
        return port.setFlowControl(state.ctsFlow ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
    });
    if (!open->modemLines) {
        open->dtr = state.dtr;
        open->rts = state.rts;
        return ok || failOn(*open);
    }
    change(open->dtr, state.dtr, [&] { return port.setDataTerminalReady(state.dtr); });
    // With hardware flow control the driver owns RTS.
    if (!state.ctsFlow)
        change(open->rts, state.rts, [&] { return port.setRequestToSend(state.rts); });
    return ok || failOn(*open);
}

bool SerialDeviceLayer::write(DeviceHandle handle, const std::uint8_t* data, std::size_t count)
{
    OpenPort* open = find(handle);
    if (!open)
        return failNotOpen();
    if (count == 0)
        return true;
    const auto size = static_cast<qint64>(count);
    if (open->port->write(reinterpret_cast<const char*>(data), size) != size)
        return failOn(*open);
    open->writtenSinceWait = true;
    // Writes are synchronous: the next line change must find these bytes on their way.
    return flushToDriver(*open, count) || failOn(*open);
}

} // namespace sus
