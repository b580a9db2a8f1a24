#pragma once

#include "link/DeviceLayer.h"

#include <string>

class QSerialPort;

namespace sus {

// Why the call just made on `port` failed, from the error Qt recorded on it. `portName` is the name
// the port was opened by.
DeviceFault portFault(const QSerialPort& port, const std::string& portName);

} // namespace sus
