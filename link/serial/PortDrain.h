#pragma once

class QSerialPort;

namespace sus {

// Blocks until the driver has handed every byte written to the port to the UART. The one
// platform-dependent step of the serial backend: one source file per platform implements it.
bool drainPort(QSerialPort& port);

} // namespace sus
