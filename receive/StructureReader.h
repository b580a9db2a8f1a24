// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/HeardItems.h"
#include "receive/MarkedStream.h"
#include "receive/ReceiverTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sus {

// Reads the items of an adapter whose marks say nothing of the character they are on: one whose
// driver flags every character of a USB packet for one error, or one that reports no parity error
// at all. The bytes are still right; the ninth bits, and which zero was a break, are given by what
// this line can carry instead:
//   a break begins a frame or stands between units, never inside a packet;
//   a frame of zeros alone is a wake-up frame (its first zero's ninth bit 0) and holds at most
//   heard::kWakeUpZeros of them; any other frame is DMX, at most kDmxFrameSlots characters;
//   a packet begins with heard::kStartByte (its ninth bit 0) where no frame or packet is left
//   unfinished, and is as long as its header says.
// So a fault on the line shows as a difference in the bytes, never as a ninth bit that was not seen.
class StructureReader final : public MarkedItemListener {
public:
    // `breaksMarked`: the adapter marks a break (with the zeros it flags); otherwise any zero may be
    // the one a break left.
    StructureReader(CharacterListener& listener, bool breaksMarked);

    void onItem(const MarkedItem& item) override;
    void onEnd() override;

    const ReadCounts& counts() const { return counts_; }

private:
    enum class State { Idle, Frame, Packet };

    bool mayBeBreak(const MarkedItem& item) const;
    bool frameIsWakeUpSoFar() const;
    bool frameFull() const;
    void startFrame(const MarkedItem& item);
    void endFrame();
    void packetByte(const MarkedItem& item, bool ninthBit);
    void character(const MarkedItem& item, bool ninthBit);

    CharacterListener& listener_;
    bool breaksMarked_;
    ReadCounts counts_;
    State state_ = State::Idle;
    MarkedItem frameBreak_;
    std::vector<MarkedItem> frame_; // held until it ends: only then is it known to be a wake-up frame
    std::array<std::uint8_t, heard::kHeaderSize> header_{};
    std::size_t packetBytes_ = 0;
    std::size_t packetLength_ = 0; // 0 until the header has come
};

} // namespace sus
