// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/Waveform.h"

#include <cstdint>
#include <initializer_list>

namespace sus::test {

// Builds line traces by hand, bit by bit, independent of the renderer.
struct WireTrace {
    static constexpr std::int64_t kBitNs = 4000; // 250000 baud

    Waveform wave;

    WireTrace& idle(std::int64_t ns)
    {
        wave.hold(true, ns);
        return *this;
    }
    WireTrace& low(std::int64_t ns)
    {
        wave.hold(false, ns);
        return *this;
    }
    // A start bit, 8 data bits LSB first, the ninth bit, one stop bit.
    WireTrace& character(std::uint8_t value, bool ninth = true)
    {
        low(kBitNs);
        for (int bit = 0; bit < 8; ++bit)
            wave.hold(((value >> bit) & 1) != 0, kBitNs);
        wave.hold(ninth, kBitNs);
        return idle(kBitNs);
    }
    WireTrace& characters(std::initializer_list<std::uint8_t> values, bool ninth = true)
    {
        for (std::uint8_t v : values)
            character(v, ninth);
        return *this;
    }
    // The break as the link makes it: ten bits low at 64000 baud and the stop bit.
    WireTrace& dmxBreak() { return low(156'250).idle(15'625); }
};

} // namespace sus::test
