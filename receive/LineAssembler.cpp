// SPDX-License-Identifier: Apache-2.0
#include "receive/LineAssembler.h"

#include "link/LineTiming.h"
#include "receive/ReceiverTable.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace sus {

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
    if (bytes.size() <= heard::kHeaderSize)
        return {};
    const std::size_t size =
        std::min(bytes.size() - heard::kHeaderSize, heard::payloadSize(type).value_or(0));
    return {bytes.begin() + heard::kHeaderSize,
            bytes.begin() + static_cast<std::ptrdiff_t>(heard::kHeaderSize + size)};
}

std::uint16_t fixtureChecksum(const std::uint8_t* bytes, std::size_t count)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += bytes[i];
    return static_cast<std::uint16_t>(sum);
}

void LineAssembler::onBreak(std::int64_t startNs, std::int64_t endNs)
{
    finish();
    frame_ = WireFrame{};
    frame_.breakStartNs = startNs;
    frame_.breakLowNs = endNs - startNs;
    frame_.endNs = endNs;
    breakEndNs_ = endNs;
    state_ = State::Frame;
}

void LineAssembler::onCharacter(const WireCharacter& c)
{
    ++received_;
    if (!c.ninthBit && c.value == heard::kStartByte) {
        finish();
        packet_ = WirePacket{};
        packet_.startNs = c.startNs;
        packet_.firstCharacter = received_ - 1;
        state_ = State::Packet;
        addToPacket(c);
        return;
    }
    switch (state_) {
    case State::Frame:
        addToFrame(c);
        return;
    case State::Packet:
        if (!c.ninthBit) {
            finish();
            listener_.onStray(c);
            return;
        }
        addToPacket(c);
        return;
    case State::Idle:
        listener_.onStray(c);
        return;
    }
}

void LineAssembler::finish()
{
    const State ended = std::exchange(state_, State::Idle);
    if (ended == State::Frame)
        listener_.onFrame(frame_);
    else if (ended == State::Packet)
        listener_.onPacket(packet_);
}

std::int64_t LineAssembler::characterEndNs(const WireCharacter& c)
{
    return c.startNs + characterDurationNs(kFixtureCharacter);
}

void LineAssembler::addToFrame(const WireCharacter& c)
{
    if (frame_.bytes.empty()) {
        frame_.markAfterBreakNs = c.startNs - breakEndNs_;
        frame_.firstCharacter = received_ - 1;
    }
    frame_.bytes.push_back(c.value);
    frame_.ninthBits.push_back(c.ninthBit);
    frame_.endNs = characterEndNs(c);
}

void LineAssembler::addToPacket(const WireCharacter& c)
{
    packet_.bytes.push_back(c.value);
    packet_.endNs = characterEndNs(c);
    const std::size_t received = packet_.bytes.size();
    if (received < heard::kHeaderSize)
        return;
    packet_.type = static_cast<std::uint16_t>(packet_.bytes[2] | (packet_.bytes[3] << 8));
    const std::optional<std::size_t> payload = heard::payloadSize(packet_.type);
    if (packet_.bytes[1] != 0 || !payload) {
        finish();
        return;
    }
    const std::size_t checksumAt = heard::kHeaderSize + *payload;
    if (received < checksumAt + heard::kChecksumSize)
        return;
    const auto sent =
        static_cast<std::uint16_t>((packet_.bytes[checksumAt] << 8) | packet_.bytes[checksumAt + 1]);
    packet_.complete = true;
    packet_.checksumOk = sent == fixtureChecksum(packet_.bytes.data(), checksumAt);
    finish();
}

} // namespace sus
