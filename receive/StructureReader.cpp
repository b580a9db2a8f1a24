// SPDX-License-Identifier: Apache-2.0
#include "receive/StructureReader.h"

#include "receive/HeardLinePrinter.h"
#include "receive/ReceiverTable.h"

#include <algorithm>
#include <optional>

namespace sus {

StructureReader::StructureReader(CharacterListener& listener, bool breaksMarked)
    : listener_(listener), breaksMarked_(breaksMarked)
{
}

bool StructureReader::mayBeBreak(const MarkedItem& item) const
{
    return item.kind == MarkedItem::Kind::ZeroOrBreak || (!breaksMarked_ && item.value == 0);
}

bool StructureReader::frameIsWakeUpSoFar() const
{
    return frame_.size() <= heard::kWakeUpZeros &&
           std::ranges::all_of(frame_, [](const MarkedItem& item) { return item.value == 0; });
}

bool StructureReader::frameFull() const
{
    return (frameIsWakeUpSoFar() && frame_.size() == heard::kWakeUpZeros) || frame_.size() == kDmxFrameSlots;
}

void StructureReader::onItem(const MarkedItem& item)
{
    if (state_ == State::Frame) {
        if (!frameFull()) {
            frame_.push_back(item);
            return;
        }
        endFrame();
    }
    if (state_ == State::Packet) {
        packetByte(item, true);
        return;
    }
    if (mayBeBreak(item)) {
        startFrame(item);
    } else if (item.value == heard::kStartByte) {
        state_ = State::Packet;
        packetBytes_ = 0;
        packetLength_ = 0;
        packetByte(item, false);
    } else {
        character(item, true);
    }
}

void StructureReader::onEnd()
{
    if (state_ == State::Frame)
        endFrame();
    state_ = State::Idle;
}

void StructureReader::startFrame(const MarkedItem& item)
{
    state_ = State::Frame;
    frameBreak_ = item;
    frame_.clear();
}

void StructureReader::endFrame()
{
    state_ = State::Idle;
    handBreak(listener_, counts_, frameBreak_);
    const bool wakeUp = !frame_.empty() && frameIsWakeUpSoFar();
    for (std::size_t i = 0; i < frame_.size(); ++i)
        character(frame_[i], !(wakeUp && i == 0));
}

void StructureReader::packetByte(const MarkedItem& item, bool ninthBit)
{
    character(item, ninthBit);
    if (packetBytes_ < header_.size())
        header_[packetBytes_] = item.value;
    ++packetBytes_;
    if (packetBytes_ == heard::kHeaderSize) {
        // The assembler gives up on a header no packet has; so does this.
        const auto type = static_cast<std::uint16_t>(header_[2] | (header_[3] << 8));
        const std::optional<std::size_t> payload = heard::payloadSize(type);
        if (header_[1] != 0 || !payload) {
            state_ = State::Idle;
            return;
        }
        packetLength_ = heard::kHeaderSize + *payload + heard::kChecksumSize;
    }
    if (packetLength_ != 0 && packetBytes_ == packetLength_)
        state_ = State::Idle;
}

void StructureReader::character(const MarkedItem& item, bool ninthBit)
{
    handCharacter(listener_, counts_, item, ninthBit);
}

} // namespace sus
