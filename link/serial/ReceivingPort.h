// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/AdapterFamily.h"

#include <QSerialPort>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sus {

// A receiving port, any maker's, set as a witness of the line needs it: 250000 baud, 8 data bits,
// mark parity expected and checked, one stop bit, and every character with a parity or framing
// error and every break marked in the byte stream. Nothing else waits on it, so the command reads
// it in a loop of its own.
class ReceivingPort {
public:
    // Opens `name`; nothing, with the reason in `error`, when it cannot be opened or set so.
    static std::unique_ptr<ReceivingPort> open(const std::string& name, std::string& error);

    enum class Read { Data, Quiet, Gone };
    // Appends what has arrived to `into`, waiting up to `waitMs` for something; Gone, with the
    // reason in `error`, when the port stopped answering.
    Read read(std::vector<std::uint8_t>& into, int waitMs, std::string& error);

    // The adapter's USB id, as discovery reads the controller's; nothing where the system tells none.
    std::optional<UsbId> usbId() const;

    // What the adapter counted of its own (overruns, framing and parity errors, breaks), in one line;
    // empty where it does not tell.
    std::string adapterCounts() const;

private:
    QSerialPort port_;
};

// What a platform needs beyond Qt Serial Port; one source file per platform implements these.

// Makes the open port mark parity and framing errors and breaks in the stream rather than drop
// them, replace them or signal them; false, with the reason in `error`, where the system cannot.
bool markReceiveErrors(QSerialPort& port, std::string& error);
// The adapter's counts of errors it saw, as adapterCounts() words them.
std::string receiveErrorCounts(const QSerialPort& port);
// The release of the Linux kernel whose driver hands the stream over ("6.1.0-28-amd64"); empty
// elsewhere.
std::string driverKernelRelease();

} // namespace sus
