// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"

class QSerialPort;

namespace sus {

// What the serial backend needs of the operating system beyond Qt Serial Port: one source file
// per platform implements these.

// Blocks until the driver has handed every byte written to the port to the UART. Kind::None then;
// otherwise why it could not, a device unplugged meanwhile being Gone.
DeviceFault drainPort(QSerialPort& port);

// Whether the port has modem-control lines (DTR and RTS), by what it is: a pseudo-terminal has
// none; every serial port of a bridge has them.
bool hasModemLines(const QSerialPort& port);

// Whether this user may read and write the port's device node, whoever holds it now.
bool userMayOpen(const QSerialPort& port);

// Sets what the line needs and Qt leaves as the driver had it, right after the port opened.
bool prepareOpenedPort(QSerialPort& port);

} // namespace sus
