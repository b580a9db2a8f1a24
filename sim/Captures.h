// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/TxLine.h"
#include "sim/Waveform.h"

#include <ostream>
#include <string>
#include <vector>

namespace sus {

// Captures of the simulated line, for a logic-analyser viewer and for reading by eye.

// Value change dump: 1 ns timescale, one 1-bit wire `tx`, idle 1 at #0, a change at every edge,
// and a last time stamp where the last stop bit ends.
void writeVcd(std::ostream& out, const Waveform& wave);

// One line per non-empty write: `<t_ns> <baud> <mark|space|none|odd|even> <HEX>`, t_ns when its
// first character starts.
void writeWireLog(std::ostream& out, const std::vector<WireWrite>& writes);

// Both to files named in UTF-8; false when a file cannot be written.
bool saveVcd(const std::string& utf8Path, const std::vector<WireWrite>& writes);
bool saveWireLog(const std::string& utf8Path, const std::vector<WireWrite>& writes);

} // namespace sus
