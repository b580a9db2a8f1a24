// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/HeardItems.h"

#include <cstdint>

namespace sus {

// Groups received characters and breaks into frames and packets, handing each to `listener` once
// it has ended: at the next break or packet start, at a character that cannot belong to it, when
// a packet is complete, or at finish().
class LineAssembler : public CharacterListener {
public:
    explicit LineAssembler(LineListener& listener) : listener_(listener) {}

    void onBreak(std::int64_t startNs, std::int64_t endNs) override;
    void onCharacter(const WireCharacter& c) override;
    // The line has gone quiet for good: hands over what is being received.
    void finish();

    std::size_t charactersReceived() const { return received_; }

private:
    enum class State { Idle, Frame, Packet };

    void addToFrame(const WireCharacter& c);
    void addToPacket(const WireCharacter& c);
    static std::int64_t characterEndNs(const WireCharacter& c);

    LineListener& listener_;
    State state_ = State::Idle;
    std::int64_t breakEndNs_ = 0;
    std::size_t received_ = 0;
    WireFrame frame_;
    WirePacket packet_;
};

} // namespace sus
