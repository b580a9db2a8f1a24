// SPDX-License-Identifier: Apache-2.0
#include "sim/VirtualFixture.h"

#include "link/LineTiming.h"
#include "receive/LineAssembler.h"
#include "receive/LineListeners.h"

#include <algorithm>

namespace sus {

namespace {

// When bit `index` of a character starting at `startNs` is sampled.
std::int64_t sampleNs(std::int64_t startNs, int index)
{
    return startNs + bitCentreNs(kFixtureCharacter, index);
}

// Reads levels at rising times: the edges are walked once.
class LevelCursor {
public:
    explicit LevelCursor(const std::vector<std::int64_t>& edges) : edges_(edges) {}

    bool levelAt(std::int64_t timeNs)
    {
        while (passed_ < edges_.size() && edges_[passed_] <= timeNs)
            ++passed_;
        return passed_ % 2 == 0;
    }
    // Edges at or before the last time asked.
    std::size_t passed() const { return passed_; }
    void skipTo(std::size_t edge) { passed_ = std::max(passed_, edge); }

private:
    const std::vector<std::int64_t>& edges_;
    std::size_t passed_ = 0;
};

} // namespace

FixtureLog VirtualFixture::decode(const Waveform& wave)
{
    FixtureLog log;
    FixtureLogCollector collector(log);
    LineAssembler assembler(collector);
    CharacterListeners heard{&collector, &assembler};
    sample(wave, heard);
    assembler.finish();
    return log;
}

void VirtualFixture::sample(const Waveform& wave, CharacterListener& listener)
{
    const std::vector<std::int64_t>& edges = wave.edges();
    LevelCursor cursor(edges);

    // Falling edges have even indices; a character or break starts at each one the receiver sees.
    std::size_t edge = 0;
    while (edge < edges.size()) {
        const std::int64_t startNs = edges[edge];
        const std::int64_t lowEndNs =
            edge + 1 < edges.size() ? edges[edge + 1] : std::max(wave.endNs(), startNs);
        if (lowEndNs - startNs > kBreakMinLowNs) {
            listener.onBreak(startNs, lowEndNs);
            edge += 2;
            cursor.skipTo(edge);
            continue;
        }
        if (cursor.levelAt(sampleNs(startNs, 0))) {
            // Too short for a start bit: a glitch.
            edge = cursor.passed() + cursor.passed() % 2;
            continue;
        }
        WireCharacter c;
        c.startNs = startNs;
        for (int bit = 1; bit <= kFixtureCharacter.dataBits; ++bit)
            c.value =
                static_cast<std::uint8_t>(c.value | (cursor.levelAt(sampleNs(startNs, bit)) << (bit - 1)));
        c.ninthBit = cursor.levelAt(sampleNs(startNs, parityBitIndex(kFixtureCharacter)));
        c.stopBitOk = cursor.levelAt(sampleNs(startNs, stopBitIndex(kFixtureCharacter)));
        listener.onCharacter(c);

        // The next start bit is the first falling edge after the stop bit's centre.
        edge = cursor.passed() + cursor.passed() % 2;
    }
}

} // namespace sus
