// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/HeardItems.h"
#include "sim/TxLine.h"
#include "sim/Waveform.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sus {

// What a fixture's receiver needs: the line low longer than this is a break.
inline constexpr std::int64_t kBreakMinLowNs = 88'000;
// The fixture samples 9-bit characters (8 data bits, the ninth at the parity position) at this rate.
inline constexpr std::uint32_t kFixtureBaud = 250000;

// Everything the fixture heard, in time order.
struct FixtureLog {
    enum class Kind { Frame, Packet };
    struct Item {
        Kind kind;
        std::size_t index; // into frames or packets
        std::int64_t startNs;
    };

    std::vector<WireCharacter> characters;
    std::vector<WireFrame> frames;
    std::vector<WirePacket> packets;
    std::vector<Item> items;         // frames and packets as they began
    std::size_t strayCharacters = 0; // neither in a frame nor in a packet
    std::size_t framingErrors = 0;

    std::vector<const WireFrame*> wakeUpFrames() const;
    std::vector<const WireFrame*> dmxFrames() const;
};

// Keeps everything a receiver hands it in a FixtureLog, the characters aside.
class FixtureLogCollector : public LineListener {
public:
    explicit FixtureLogCollector(FixtureLog& log) : log_(log) {}
    void onFrame(const WireFrame& frame) override;
    void onPacket(const WirePacket& packet) override;
    void onStray(const WireCharacter& character) override;

private:
    FixtureLog& log_;
};

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
