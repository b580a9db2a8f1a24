// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateFileLayout.h"

#include <array>
#include <cstdint>
#include <string>

namespace sus {

// The six plain key bytes k0..k5 of an update file.
using KeyBytes = std::array<std::uint8_t, update_file::kKeyBytesLength>;

// The one-byte key with which the file's scrambled bytes were stored. Depends on k0, k1, k2, k4
// and k5 only: the low nibble of k1^k0^k4 is its high nibble, the high nibble of k2^k0^k5 its low.
std::uint8_t DeriveImageKey(const KeyBytes& k);

// The password that belongs to the file: k0^k3, k0^k4, k0^k5, each as two upper-case hex digits.
std::string DeriveExpectedPassword(const KeyBytes& k);

// Whether `typed` is the file's password: the same characters exactly, letter case included.
bool passwordMatches(const KeyBytes& k, const std::string& typed);

// A scrambled byte's value.
constexpr std::uint8_t descramble(std::uint8_t stored, std::uint8_t key)
{
    return static_cast<std::uint8_t>(stored ^ key);
}

} // namespace sus
