// SPDX-License-Identifier: Apache-2.0
#include "core/HexText.h"

namespace sus {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::string hexDigit(unsigned value)
{
    return std::string(1, kDigits[value & 0x0F]);
}

std::string hexByte(unsigned value)
{
    return hexDigit(value >> 4) + hexDigit(value);
}

std::string hexWord(unsigned value)
{
    return hexByte(value >> 8) + hexByte(value);
}

} // namespace sus
