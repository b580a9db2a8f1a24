// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>

namespace sus::cli {

// The USB serial number of the device on serial port `port`, as the system reports it; empty when
// the device has none, or `port` is no USB device the system knows (the simulated controller).
std::string usbSerialNumberOf(const std::string& port);

} // namespace sus::cli
