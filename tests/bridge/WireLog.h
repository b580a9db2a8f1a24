// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/TxLine.h"

#include <string>
#include <vector>

namespace sus::bridge {

// Reads a text wire log ("<t_ns> <baud> <parity> <HEX>" per line) back into the writes it records,
// 8 data bits and one stop bit each, as the link sends them. Throws on a line of another form.
std::vector<WireWrite> readWireLog(const std::string& text);

} // namespace sus::bridge
