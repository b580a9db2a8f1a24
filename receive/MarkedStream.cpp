// SPDX-License-Identifier: Apache-2.0
#include "receive/MarkedStream.h"

#include "link/LineTiming.h"

#include <algorithm>
#include <limits>

namespace sus {

namespace {

constexpr std::int64_t kCharacterNs = characterDurationNs(kFixtureCharacter);

} // namespace

void appendMarked(std::vector<std::uint8_t>& out, const WireCharacter& c)
{
    if (!c.ninthBit || !c.stopBitOk) {
        out.insert(out.end(), {marked::kEscape, marked::kErrorMark, c.value});
        return;
    }
    out.push_back(c.value);
    if (c.value == marked::kEscape)
        out.push_back(marked::kEscape);
}

void appendMarkedBreak(std::vector<std::uint8_t>& out)
{
    out.insert(out.end(), {marked::kEscape, marked::kErrorMark, marked::kBreakValue});
}

MarkedStreamDecoder::MarkedStreamDecoder(CharacterListener& listener)
    : listener_(listener), lastStartNs_(std::numeric_limits<std::int64_t>::min() / 2)
{
}

void MarkedStreamDecoder::feed(std::span<const std::uint8_t> bytes, std::int64_t readNs)
{
    counts_.bytesRead += bytes.size();
    for (const std::uint8_t byte : bytes) {
        switch (escape_) {
        case Escape::None:
            if (byte == marked::kEscape)
                escape_ = Escape::Escaped;
            else
                character(byte, true, readNs);
            break;
        case Escape::Escaped:
            escape_ = Escape::None;
            if (byte == marked::kEscape) {
                character(byte, true, readNs);
            } else if (byte == marked::kErrorMark) {
                escape_ = Escape::Marked;
            } else {
                // Not a UART's marking: the escape is noise, the byte is taken as it came.
                ++counts_.badEscapes;
                character(byte, true, readNs);
            }
            break;
        case Escape::Marked:
            escape_ = Escape::None;
            if (byte == marked::kBreakValue) {
                markedZero(readNs);
            } else {
                ++counts_.marked;
                character(byte, false, readNs);
            }
            break;
        }
    }
}

void MarkedStreamDecoder::finish()
{
    counts_.endedInsideEscape = escape_ != Escape::None;
    escape_ = Escape::None;
}

std::int64_t MarkedStreamDecoder::nextStartNs(std::int64_t readNs)
{
    lastStartNs_ = std::max(readNs, lastStartNs_ + kCharacterNs);
    return lastStartNs_;
}

void MarkedStreamDecoder::character(std::uint8_t value, bool ninthBit, std::int64_t readNs)
{
    afterBreak_ = false;
    ++counts_.characters;
    WireCharacter c;
    c.startNs = nextStartNs(readNs);
    c.value = value;
    c.ninthBit = ninthBit;
    listener_.onCharacter(c);
}

void MarkedStreamDecoder::markedZero(std::int64_t readNs)
{
    if (afterBreak_) {
        ++counts_.marked;
        character(marked::kBreakValue, false, readNs);
        return;
    }
    ++counts_.breaks;
    const std::int64_t startNs = nextStartNs(readNs);
    // How long the line stayed low is not in the stream: at least the character the UART sampled.
    listener_.onBreak(startNs, startNs + kCharacterNs);
    afterBreak_ = true;
}

} // namespace sus
