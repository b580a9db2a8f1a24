// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateKey.h"

#include "core/HexText.h"

namespace sus {

std::uint8_t DeriveImageKey(const KeyBytes& k)
{
    // The 24-bit number k0k1k2 XORed with the three password bytes, of which bits 4 to 11 form
    // the key. The password's k0^k3 lands in bits 16 to 23 and never reaches the key.
    const std::uint32_t a = (std::uint32_t{k[0]} << 16) | (std::uint32_t{k[1]} << 8) | k[2];
    const std::uint32_t b = (std::uint32_t{static_cast<std::uint8_t>(k[0] ^ k[3])} << 16) |
                            (std::uint32_t{static_cast<std::uint8_t>(k[0] ^ k[4])} << 8) |
                            static_cast<std::uint8_t>(k[0] ^ k[5]);
    return static_cast<std::uint8_t>((a ^ b) >> 4);
}

std::string DeriveExpectedPassword(const KeyBytes& k)
{
    return hexByte(k[0] ^ k[3]) + hexByte(k[0] ^ k[4]) + hexByte(k[0] ^ k[5]);
}

bool passwordMatches(const KeyBytes& k, const std::string& typed)
{
    return typed == DeriveExpectedPassword(k);
}

} // namespace sus
