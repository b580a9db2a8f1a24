// SPDX-License-Identifier: Apache-2.0
#include "sim/VirtualFixture.h"

#include "link/LineTiming.h"
#include "sim/LineAssembler.h"

#include <algorithm>

namespace sus {

namespace {

constexpr int kDataBits = 8;
constexpr int kNinthBitIndex = kDataBits + 1;
constexpr int kStopBitIndex = kDataBits + 2;

// The middle of bit `index` of a character starting at `startNs`.
std::int64_t bitCentreNs(std::int64_t startNs, int index)
{
    return startNs + (bitsDurationNs(2 * index + 1, kFixtureBaud) / 2);
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

// Keeps the characters and assembles them into the log's frames and packets.
class LogRecorder : public CharacterListener {
public:
    explicit LogRecorder(FixtureLog& log) : log_(log), collector_(log), assembler_(collector_, kFixtureBaud)
    {
    }

    void onBreak(std::int64_t startNs, std::int64_t endNs) override { assembler_.onBreak(startNs, endNs); }
    void onCharacter(const WireCharacter& c) override
    {
        log_.framingErrors += c.stopBitOk ? 0 : 1;
        log_.characters.push_back(c);
        assembler_.onCharacter(c);
    }
    void finish() { assembler_.finish(); }

private:
    FixtureLog& log_;
    FixtureLogCollector collector_;
    LineAssembler assembler_;
};

} // namespace

void FixtureLogCollector::onFrame(const WireFrame& frame)
{
    log_.frames.push_back(frame);
    log_.items.push_back({FixtureLog::Kind::Frame, log_.frames.size() - 1, frame.breakStartNs});
}

void FixtureLogCollector::onPacket(const WirePacket& packet)
{
    log_.packets.push_back(packet);
    log_.items.push_back({FixtureLog::Kind::Packet, log_.packets.size() - 1, packet.startNs});
}

void FixtureLogCollector::onStray(const WireCharacter&)
{
    ++log_.strayCharacters;
}

std::vector<const WireFrame*> FixtureLog::wakeUpFrames() const
{
    std::vector<const WireFrame*> result;
    for (const WireFrame& frame : frames) {
        if (frame.isWakeUp())
            result.push_back(&frame);
    }
    return result;
}

std::vector<const WireFrame*> FixtureLog::dmxFrames() const
{
    std::vector<const WireFrame*> result;
    for (const WireFrame& frame : frames) {
        if (frame.isDmx())
            result.push_back(&frame);
    }
    return result;
}

FixtureLog VirtualFixture::decode(const Waveform& wave)
{
    FixtureLog log;
    LogRecorder recorder(log);
    sample(wave, recorder);
    recorder.finish();
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
        if (cursor.levelAt(bitCentreNs(startNs, 0))) {
            // Too short for a start bit: a glitch.
            edge = cursor.passed() + cursor.passed() % 2;
            continue;
        }
        WireCharacter c;
        c.startNs = startNs;
        for (int bit = 1; bit <= kDataBits; ++bit)
            c.value =
                static_cast<std::uint8_t>(c.value | (cursor.levelAt(bitCentreNs(startNs, bit)) << (bit - 1)));
        c.ninthBit = cursor.levelAt(bitCentreNs(startNs, kNinthBitIndex));
        c.stopBitOk = cursor.levelAt(bitCentreNs(startNs, kStopBitIndex));
        listener.onCharacter(c);

        // The next start bit is the first falling edge after the stop bit's centre.
        edge = cursor.passed() + cursor.passed() % 2;
    }
}

} // namespace sus
