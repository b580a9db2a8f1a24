#include "sim/VirtualFixture.h"

#include "link/LineTiming.h"

#include <algorithm>
#include <optional>

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

std::int64_t characterEndNs(const WireCharacter& c)
{
    return c.startNs + bitsDurationNs(kStopBitIndex + 1, kFixtureBaud);
}

// The payload size for a packet type; nullopt for the types that are never sent.
std::optional<std::size_t> payloadSize(std::uint16_t type)
{
    if (type <= kLastCommandType)
        return kCommandPayloadSize;
    if (type >= kFirstDataBlockType)
        return kDataBlockPayloadSize;
    return std::nullopt;
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

// Groups characters into frames and packets as they arrive.
class Assembler {
public:
    explicit Assembler(FixtureLog& log) : log_(log) {}

    void onBreak(std::int64_t startNs, std::int64_t endNs)
    {
        finish();
        WireFrame& frame = log_.frames.emplace_back();
        frame.breakStartNs = startNs;
        frame.breakLowNs = endNs - startNs;
        frame.endNs = endNs;
        breakEndNs_ = endNs;
        log_.items.push_back({FixtureLog::Kind::Frame, log_.frames.size() - 1, startNs});
        state_ = State::Frame;
    }

    void onCharacter(std::size_t index)
    {
        const WireCharacter& c = log_.characters[index];
        if (!c.ninthBit && c.value == kPacketStartByte) {
            finish();
            WirePacket& packet = log_.packets.emplace_back();
            packet.startNs = c.startNs;
            packet.firstCharacter = index;
            log_.items.push_back({FixtureLog::Kind::Packet, log_.packets.size() - 1, c.startNs});
            state_ = State::Packet;
            addToPacket(c);
            return;
        }
        switch (state_) {
        case State::Frame:
            addToFrame(c, index);
            return;
        case State::Packet:
            if (!c.ninthBit) {
                finish();
                ++log_.strayCharacters;
                return;
            }
            addToPacket(c);
            return;
        case State::Idle:
            ++log_.strayCharacters;
            return;
        }
    }

    // Ends whatever is being received.
    void finish() { state_ = State::Idle; }

private:
    enum class State { Idle, Frame, Packet };

    void addToFrame(const WireCharacter& c, std::size_t index)
    {
        WireFrame& frame = log_.frames.back();
        if (frame.bytes.empty()) {
            frame.markAfterBreakNs = c.startNs - breakEndNs_;
            frame.firstCharacter = index;
        }
        frame.bytes.push_back(c.value);
        frame.ninthBits.push_back(c.ninthBit);
        frame.endNs = characterEndNs(c);
    }

    void addToPacket(const WireCharacter& c)
    {
        WirePacket& packet = log_.packets.back();
        packet.bytes.push_back(c.value);
        packet.endNs = characterEndNs(c);
        const std::size_t received = packet.bytes.size();
        if (received < kPacketHeaderSize)
            return;
        packet.type = static_cast<std::uint16_t>(packet.bytes[2] | (packet.bytes[3] << 8));
        const std::optional<std::size_t> payload = payloadSize(packet.type);
        if (packet.bytes[1] != 0 || !payload) {
            finish();
            return;
        }
        const std::size_t checksumAt = kPacketHeaderSize + *payload;
        if (received < checksumAt + kPacketChecksumSize)
            return;
        const auto sent =
            static_cast<std::uint16_t>((packet.bytes[checksumAt] << 8) | packet.bytes[checksumAt + 1]);
        packet.complete = true;
        packet.checksumOk = sent == fixtureChecksum(packet.bytes.data(), checksumAt);
        finish();
    }

    FixtureLog& log_;
    State state_ = State::Idle;
    std::int64_t breakEndNs_ = 0;
};

} // namespace

bool WireFrame::isWakeUp() const
{
    return !bytes.empty() && !ninthBits.front() &&
           std::ranges::all_of(bytes, [](std::uint8_t b) { return b == 0; });
}

bool WireFrame::isDmx() const
{
    return !bytes.empty() && std::ranges::all_of(ninthBits, [](bool bit) { return bit; });
}

std::vector<std::uint8_t> WirePacket::payload() const
{
    if (bytes.size() <= kPacketHeaderSize)
        return {};
    const std::size_t size = std::min(bytes.size() - kPacketHeaderSize, payloadSize(type).value_or(0));
    return {bytes.begin() + kPacketHeaderSize,
            bytes.begin() + static_cast<std::ptrdiff_t>(kPacketHeaderSize + size)};
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

std::uint16_t fixtureChecksum(const std::uint8_t* bytes, std::size_t count)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += bytes[i];
    return static_cast<std::uint16_t>(sum);
}

FixtureLog VirtualFixture::decode(const Waveform& wave)
{
    FixtureLog log;
    Assembler assembler(log);
    const std::vector<std::int64_t>& edges = wave.edges();
    LevelCursor cursor(edges);

    // Falling edges have even indices; a character or break starts at each one the receiver sees.
    std::size_t edge = 0;
    while (edge < edges.size()) {
        const std::int64_t startNs = edges[edge];
        const std::int64_t lowEndNs =
            edge + 1 < edges.size() ? edges[edge + 1] : std::max(wave.endNs(), startNs);
        if (lowEndNs - startNs > kBreakMinLowNs) {
            assembler.onBreak(startNs, lowEndNs);
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
        log.framingErrors += c.stopBitOk ? 0 : 1;
        log.characters.push_back(c);
        assembler.onCharacter(log.characters.size() - 1);

        // The next start bit is the first falling edge after the stop bit's centre.
        edge = cursor.passed() + cursor.passed() % 2;
    }
    return log;
}

} // namespace sus
