// SPDX-License-Identifier: Apache-2.0
#include "receive/LineExpectation.h"

#include "core/HexText.h"
#include "receive/ReceiverTable.h"

#include <algorithm>
#include <utility>

namespace sus {

namespace {

std::uint16_t typeOf(const std::vector<std::uint8_t>& packet)
{
    return packet.size() < heard::kHeaderSize ? 0 : static_cast<std::uint16_t>(packet[2] | (packet[3] << 8));
}

std::string packetName(const std::vector<std::uint8_t>& packet)
{
    const std::uint16_t type = typeOf(packet);
    std::string name = heard::packetTypeName(type);
    if (type >= heard::kFirstDataBlockType)
        name += " " + std::to_string(type);
    return name;
}

} // namespace

struct LineExpectation::Heard {
    // What was heard, for the update's comparison. Inside the class, not in an unnamed namespace:
    // GCC warns of a member of such a type when sources are compiled together as one unit.
    enum class Kind { WakeUp, Packet, Stray, OtherFrame };
    Kind kind;
    const std::vector<std::uint8_t>* bytes = nullptr; // wake-ups, packets and other frames
    WireCharacter stray;
};

namespace {

using HeardKind = LineExpectation::Heard::Kind;

std::string describe(const LineExpectation::Heard& heard, const std::string& strayText)
{
    switch (heard.kind) {
    case HeardKind::WakeUp:
        return "a wake-up frame";
    case HeardKind::Packet:
        return "packet " + packetName(*heard.bytes);
    case HeardKind::Stray:
        return "a stray character " + strayText;
    case HeardKind::OtherFrame:
        break;
    }
    return "a frame that is neither DMX nor a wake-up";
}

} // namespace

LineExpectation::LineExpectation(std::vector<ExpectedUnit> update,
                                 std::optional<std::vector<std::uint8_t>> dmxFrame)
    : update_(std::move(update)), dmxFrame_(std::move(dmxFrame))
{
}

void LineExpectation::onFrame(const WireFrame& frame)
{
    if (frame.isWakeUp()) {
        compareUpdate({HeardKind::WakeUp, &frame.bytes, {}});
        return;
    }
    // A frame whose start code came right is DMX, whatever became of its slots.
    const bool dmxStart = !frame.bytes.empty() && frame.ninthBits.front();
    if (dmxStart || !checksUpdate())
        compareDmx(frame);
    else
        compareUpdate({HeardKind::OtherFrame, &frame.bytes, {}});
}

void LineExpectation::onPacket(const WirePacket& packet)
{
    compareUpdate({HeardKind::Packet, &packet.bytes, {}});
}

void LineExpectation::onStray(const WireCharacter& character)
{
    compareUpdate({HeardKind::Stray, nullptr, character});
}

void LineExpectation::finish()
{
    if (cutAt_) {
        const std::vector<std::uint8_t>& expected = update_[nextUnit_ - 1].bytes;
        differ(expectedName(nextUnit_ - 1) + ": cut off after " + std::to_string(*cutAt_) + " of " +
               std::to_string(expected.size()) + " bytes, nothing heard after it");
    }
    if (checksUpdate() && nextUnit_ < update_.size())
        differ(expectedName(nextUnit_) + ": expected, heard nothing more");
    if (dmxFrame_ && dmxFramesHeard_ == 0)
        differ("no DMX frame was heard");
}

// A character as a difference names it: its value, and its ninth bit where that was heard.
std::string LineExpectation::characterText(std::uint8_t value, bool ninthBit) const
{
    if (!ninthBitsChecked_)
        return "0x" + hexByte(value);
    return "0x" + hexByte(value) + " with its ninth bit " + (ninthBit ? "1" : "0");
}

void LineExpectation::differ(std::string text)
{
    if (!difference_)
        difference_ = std::move(text);
}

std::string LineExpectation::expectedName(std::size_t unit) const
{
    const bool wakeUp = update_[unit].wakeUp;
    const std::size_t number = static_cast<std::size_t>(std::count_if(
                                   update_.begin(), update_.begin() + static_cast<std::ptrdiff_t>(unit),
                                   [&](const ExpectedUnit& u) { return u.wakeUp == wakeUp; })) +
                               1;
    if (wakeUp)
        return "wake-up frame " + std::to_string(number);
    return "packet " + std::to_string(number) + " (" + packetName(update_[unit].bytes) + ")";
}

void LineExpectation::compareUpdate(const Heard& heard)
{
    if (!checksUpdate() || difference_)
        return;
    if (cutAt_) {
        // The character after a packet cut short, when it is the expected one with its ninth bit
        // changed, is what cut it.
        const std::size_t at = *std::exchange(cutAt_, std::nullopt);
        const std::vector<std::uint8_t>& expected = update_[nextUnit_ - 1].bytes;
        const std::string where = expectedName(nextUnit_ - 1) + ", byte " + std::to_string(at) +
                                  ": expected " + characterText(expected[at], at != 0);
        if (heard.kind == HeardKind::Stray)
            return differ(where + ", heard " + characterText(heard.stray.value, heard.stray.ninthBit));
        return differ(where + ", heard the packet end there");
    }
    if (!updateStarted_ && (heard.kind == HeardKind::Stray || heard.kind == HeardKind::OtherFrame))
        return; // whatever the line carried before the run began
    updateStarted_ = true;
    if (nextUnit_ == update_.size()) {
        return differ("heard more than expected after the last packet: " +
                      describe(heard, characterText(heard.stray.value, heard.stray.ninthBit)));
    }
    const std::size_t unit = nextUnit_++;
    const ExpectedUnit& expected = update_[unit];
    const std::string name = expectedName(unit);
    const bool sameKind = expected.wakeUp ? heard.kind == HeardKind::WakeUp : heard.kind == HeardKind::Packet;
    if (!sameKind) {
        // Both begin with a character whose ninth bit is 0.
        if (heard.kind == HeardKind::Stray)
            return differ(name + ", byte 0: expected " + characterText(expected.bytes.front(), false) +
                          ", heard " + characterText(heard.stray.value, heard.stray.ninthBit));
        return differ(name + ": expected, heard " +
                      describe(heard, characterText(heard.stray.value, heard.stray.ninthBit)));
    }
    const std::vector<std::uint8_t>& got = *heard.bytes;
    const auto mismatch = std::ranges::mismatch(expected.bytes, got);
    const auto at = static_cast<std::size_t>(mismatch.in1 - expected.bytes.begin());
    if (mismatch.in1 != expected.bytes.end() && mismatch.in2 != got.end())
        return differ(name + ", byte " + std::to_string(at) + ": expected 0x" + hexByte(*mismatch.in1) +
                      ", heard 0x" + hexByte(*mismatch.in2));
    if (got.size() < expected.bytes.size()) {
        if (expected.wakeUp)
            return differ(name + ": expected " + std::to_string(expected.bytes.size()) + " zeros, heard " +
                          std::to_string(got.size()));
        cutAt_ = at;
        return;
    }
    if (got.size() > expected.bytes.size())
        return differ(name + ": expected " + std::to_string(expected.bytes.size()) + " bytes, heard " +
                      std::to_string(got.size()));
}

void LineExpectation::compareDmx(const WireFrame& frame)
{
    if (!dmxFrame_ || difference_)
        return;
    const std::size_t number = ++dmxFramesHeard_;
    const std::string name = "DMX frame " + std::to_string(number);
    const std::vector<std::uint8_t>& expected = *dmxFrame_;
    for (std::size_t slot = 0; slot < std::min(expected.size(), frame.bytes.size()); ++slot) {
        if (frame.bytes[slot] != expected[slot] || !frame.ninthBits[slot])
            return differ(name + ", slot " + std::to_string(slot) + ": expected " +
                          characterText(expected[slot], true) + ", heard " +
                          characterText(frame.bytes[slot], frame.ninthBits[slot]));
    }
    if (frame.bytes.size() != expected.size())
        return differ(name + ": expected " + std::to_string(expected.size() - 1) +
                      " slots after the start code, heard " +
                      std::to_string(frame.bytes.empty() ? 0 : frame.bytes.size() - 1));
}

} // namespace sus
