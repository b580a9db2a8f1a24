// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateKey.h"

#include <gtest/gtest.h>

namespace sus {
namespace {

// Worked by hand: x1..x3 = k0^k3, k0^k4, k0^k5; key = low nibble of k1^k0^k4, then high nibble
// of k2^k0^k5.
struct Worked {
    KeyBytes k;
    std::uint8_t key;
    const char* password;
};

TEST(UpdateKey, DerivesKeyAndPasswordOfWorkedExamples)
{
    const Worked examples[] = {
        {{0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2}, 0x12, "452DB8"},
        {{0xC3, 0x00, 0x41, 0xC3, 0x8E, 0x2B}, 0xDA, "004DE8"}, // zero-padded first pair
        {{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB}, 0xBE, "6688AA"},
        {{0x10, 0x20, 0x15, 0x99, 0x30, 0x0A}, 0x00, "89201A"}, // key 0: scrambled bytes stored as they are
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0xFF, "000000"},
    };
    for (const Worked& w : examples) {
        EXPECT_EQ(DeriveImageKey(w.k), w.key) << w.password;
        EXPECT_EQ(DeriveExpectedPassword(w.k), w.password);
    }
}

TEST(UpdateKey, EachKeyByteReachesOnlyItsNibbles)
{
    const KeyBytes base{0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2};
    auto changed = [&](std::size_t index, std::uint8_t xorMask) {
        KeyBytes k = base;
        k[index] ^= xorMask;
        return k;
    };
    // k3 (byte 99): password only.
    EXPECT_EQ(DeriveImageKey(changed(3, 0xFF)), DeriveImageKey(base));
    EXPECT_NE(DeriveExpectedPassword(changed(3, 0xFF)), DeriveExpectedPassword(base));
    // Low nibble of k1 (byte 97), high nibble of k2 (byte 98): key only.
    for (const KeyBytes& k : {changed(1, 0x0F), changed(2, 0xF0)}) {
        EXPECT_NE(DeriveImageKey(k), DeriveImageKey(base));
        EXPECT_EQ(DeriveExpectedPassword(k), DeriveExpectedPassword(base));
    }
    // High nibble of k1, low nibble of k2: neither.
    for (const KeyBytes& k : {changed(1, 0xF0), changed(2, 0x0F)}) {
        EXPECT_EQ(DeriveImageKey(k), DeriveImageKey(base));
        EXPECT_EQ(DeriveExpectedPassword(k), DeriveExpectedPassword(base));
    }
}

} // namespace
} // namespace sus
