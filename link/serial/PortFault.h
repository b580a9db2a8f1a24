// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"

class QSerialPort;

namespace sus {

// Why the call just made on `port` failed, from the error Qt recorded on it.
DeviceFault portFault(const QSerialPort& port);

} // namespace sus
