// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/FixtureLog.h"
#include "receive/HeardItems.h"
#include "sim/TxLine.h"
#include "sim/Waveform.h"

#include <cstdint>

namespace sus {

// What a fixture's receiver needs: the line low longer than this is a break.
inline constexpr std::int64_t kBreakMinLowNs = 88'000;

// A receiver on the simulated line: decodes the rendered waveform, not the recorded writes, so
// that it hears what a fixture would.
class VirtualFixture {
public:
    static FixtureLog decode(const Waveform& wave);
    // Samples the waveform as a fixture's receiver does and tells `listener` of every break and
    // character, in time order.
    static void sample(const Waveform& wave, CharacterListener& listener);
    static FixtureLog listen(const TxLine& line) { return decode(renderWaveform(line.writes())); }
};

} // namespace sus
