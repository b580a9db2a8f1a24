// SPDX-License-Identifier: Apache-2.0
#include "cli/UsbSerialNumber.h"

#include <QSerialPortInfo>

namespace sus::cli {

std::string usbSerialNumberOf(const std::string& port)
{
    // A user names a port by its name or by its path.
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.portName().toStdString() == port || info.systemLocation().toStdString() == port)
            return info.serialNumber().toStdString();
    }
    return {};
}

} // namespace sus::cli
