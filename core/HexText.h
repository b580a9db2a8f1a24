// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <string>

namespace sus {

// Numbers written in hexadecimal, for the user and in wire logs: upper-case digits, zero-padded to a fixed
// width.
std::string hexDigit(unsigned value); // low nibble, one digit
std::string hexByte(unsigned value);  // low byte, two digits
std::string hexWord(unsigned value);  // low 16 bits, four digits (USB ids)

} // namespace sus
