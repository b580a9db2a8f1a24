// SPDX-License-Identifier: Apache-2.0
#include "link/serial/NativePort.h"

#include <QSerialPort>

#include <windows.h>

#include <string>

namespace sus {

DeviceFault drainPort(QSerialPort& port)
{
    // Returns once the serial driver's transmit queue is empty, that is once the bytes have gone
    // to the bridge over USB. Whether the bridge's own transmit buffer has emptied by then is not
    // known: the virtual COM port driver does not say. The caller waits one character more for
    // the shift register; a bridge that still holds bytes after that would let a following
    // change of rate or parity reach them, and only a test on the hardware can tell.
    if (FlushFileBuffers(port.handle()))
        return {};
    const DWORD error = GetLastError();
    // The driver fails every call on a device that has been unplugged.
    const bool gone = error == ERROR_DEVICE_NOT_CONNECTED || error == ERROR_BAD_COMMAND ||
                      error == ERROR_GEN_FAILURE || error == ERROR_FILE_NOT_FOUND;
    return {gone ? DeviceFault::Kind::Gone : DeviceFault::Kind::Other,
            "Windows error " + std::to_string(error)};
}

bool hasModemLines(const QSerialPort&)
{
    return true;
}

bool userMayOpen(const QSerialPort&)
{
    // A COM port has no permissions of its own: access is denied while another program has it open.
    return true;
}

bool prepareOpenedPort(QSerialPort& port)
{
    // The line runs without flow control, DSR included. Qt sets CTS flow and DTR but keeps the
    // driver's fOutxDsrFlow; its later changes read the DCB afresh, so this stays.
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port.handle(), &dcb))
        return false;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    return SetCommState(port.handle(), &dcb) != 0;
}

} // namespace sus
