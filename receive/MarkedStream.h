// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/HeardItems.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace sus {

// The byte stream a receiving UART delivers when it checks mark parity and marks what it cannot
// take as it is (on Linux: PARENB | PARODD | CMSPAR, INPCK | PARMRK, breaks not ignored):
//   a character received right: the byte itself, an 0xFF doubled;
//   a character with a parity error (its ninth bit 0) or a framing error: 0xFF 0x00 byte;
//   a break: 0xFF 0x00 0x00.
// A zero with its ninth bit 0 is marked exactly as a break. On this line it only ever follows a
// break (the first zero of a wake-up frame), so a second break mark right after a break is read
// as that zero.
namespace marked {
inline constexpr std::uint8_t kEscape = 0xFF;
inline constexpr std::uint8_t kErrorMark = 0x00;
inline constexpr std::uint8_t kBreakValue = 0x00;
} // namespace marked

// The one rule of marking, for whatever plays the receiving UART.
void appendMarked(std::vector<std::uint8_t>& out, const WireCharacter& c);
void appendMarkedBreak(std::vector<std::uint8_t>& out);

// One thing the stream holds, as the driver marked it: a character received right, one marked
// with an error (a parity or framing error, or the adapter's flag on its whole USB packet), or the
// mark a break and a marked zero share. Each is placed at the time its piece was read, or one
// character time after the one before it if that is later.
struct MarkedItem {
    enum class Kind { Plain, Flagged, ZeroOrBreak };
    Kind kind = Kind::Plain;
    std::uint8_t value = 0; // a ZeroOrBreak's is 0
    std::int64_t startNs = 0;

    bool marked() const { return kind != Kind::Plain; }
};

class MarkedItemListener {
public:
    virtual ~MarkedItemListener() = default;
    virtual void onItem(const MarkedItem& item) = 0;
    // The stream has ended.
    virtual void onEnd() = 0;
};

// What the stream held that is no character: escapes no UART writes.
struct MarkedStreamCounts {
    std::size_t bytesRead = 0;
    std::size_t badEscapes = 0;     // 0xFF followed by neither 0xFF nor 0x00: not a UART's marking
    bool endedInsideEscape = false; // the stream stopped after 0xFF or 0xFF 0x00
};

// Reads a marked stream piece by piece into its items. The stream holds no times: each item is
// placed at the time its piece was read, or one character time after the one before it.
class MarkedStreamDecoder {
public:
    explicit MarkedStreamDecoder(MarkedItemListener& listener);

    void feed(std::span<const std::uint8_t> bytes, std::int64_t readNs);
    // The stream has ended.
    void finish();

    const MarkedStreamCounts& counts() const { return counts_; }

private:
    enum class Escape { None, Escaped, Marked };

    void item(MarkedItem::Kind kind, std::uint8_t value, std::int64_t readNs);

    MarkedItemListener& listener_;
    MarkedStreamCounts counts_;
    Escape escape_ = Escape::None;
    std::int64_t lastStartNs_;
};

// How many characters and breaks a reader made of the items, and how many characters it took
// with their ninth bit 0 or a framing error.
struct ReadCounts {
    std::size_t characters = 0;
    std::size_t marked = 0;
    std::size_t breaks = 0;
};

// What both readers hand on for an item they read as a character, or as a break (how long the line
// stayed low is not in the stream: at least the character the UART sampled), counted in `counts`.
void handCharacter(CharacterListener& listener, ReadCounts& counts, const MarkedItem& item, bool ninthBit);
void handBreak(CharacterListener& listener, ReadCounts& counts, const MarkedItem& item);

// Reads the items as an adapter that reports each character's line status hands them over: a
// marked character has its ninth bit 0 (or a framing error), and the mark of a break is a break,
// but right after a break it is the zero whose ninth bit is 0 (on this line, a wake-up frame's
// first zero).
class PerCharacterReader final : public MarkedItemListener {
public:
    explicit PerCharacterReader(CharacterListener& listener) : listener_(listener) {}

    void onItem(const MarkedItem& item) override;
    void onEnd() override {}

    const ReadCounts& counts() const { return counts_; }

private:
    void character(const MarkedItem& item, bool ninthBit);

    CharacterListener& listener_;
    ReadCounts counts_;
    bool afterBreak_ = false;
};

} // namespace sus
