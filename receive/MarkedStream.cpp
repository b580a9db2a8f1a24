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

MarkedStreamDecoder::MarkedStreamDecoder(MarkedItemListener& listener)
    : listener_(listener), lastStartNs_(std::numeric_limits<std::int64_t>::min() / 2)
{
}

void MarkedStreamDecoder::feed(std::span<const std::uint8_t> bytes, std::int64_t readNs)
{
    using Kind = MarkedItem::Kind;
    counts_.bytesRead += bytes.size();
    for (const std::uint8_t byte : bytes) {
        switch (escape_) {
        case Escape::None:
            if (byte == marked::kEscape)
                escape_ = Escape::Escaped;
            else
                item(Kind::Plain, byte, readNs);
            break;
        case Escape::Escaped:
            escape_ = Escape::None;
            if (byte == marked::kEscape) {
                item(Kind::Plain, byte, readNs);
            } else if (byte == marked::kErrorMark) {
                escape_ = Escape::Marked;
            } else {
                // Not a UART's marking: the escape is noise, the byte is taken as it came.
                ++counts_.badEscapes;
                item(Kind::Plain, byte, readNs);
            }
            break;
        case Escape::Marked:
            escape_ = Escape::None;
            item(byte == marked::kBreakValue ? Kind::ZeroOrBreak : Kind::Flagged, byte, readNs);
            break;
        }
    }
}

void MarkedStreamDecoder::finish()
{
    counts_.endedInsideEscape = escape_ != Escape::None;
    escape_ = Escape::None;
    listener_.onEnd();
}

void MarkedStreamDecoder::item(MarkedItem::Kind kind, std::uint8_t value, std::int64_t readNs)
{
    lastStartNs_ = std::max(readNs, lastStartNs_ + kCharacterNs);
    listener_.onItem({kind, value, lastStartNs_});
}

void PerCharacterReader::onItem(const MarkedItem& item)
{
    if (item.kind != MarkedItem::Kind::ZeroOrBreak) {
        character(item, item.kind == MarkedItem::Kind::Plain);
        return;
    }
    if (afterBreak_) {
        character(item, false);
        return;
    }
    handBreak(listener_, counts_, item);
    afterBreak_ = true;
}

void PerCharacterReader::character(const MarkedItem& item, bool ninthBit)
{
    afterBreak_ = false;
    handCharacter(listener_, counts_, item, ninthBit);
}

void handCharacter(CharacterListener& listener, ReadCounts& counts, const MarkedItem& item, bool ninthBit)
{
    ++counts.characters;
    counts.marked += ninthBit ? 0 : 1;
    WireCharacter c;
    c.startNs = item.startNs;
    c.value = item.value;
    c.ninthBit = ninthBit;
    listener.onCharacter(c);
}

void handBreak(CharacterListener& listener, ReadCounts& counts, const MarkedItem& item)
{
    ++counts.breaks;
    listener.onBreak(item.startNs, item.startNs + kCharacterNs);
}

} // namespace sus
