// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/HeardItems.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sus {

// Everything a fixture heard, in time order.
struct FixtureLog {
    enum class Kind { Frame, Packet };
    struct Item {
        Kind kind;
        std::size_t index; // into frames or packets
        std::int64_t startNs;
    };

    std::vector<WireCharacter> characters;
    std::vector<WireFrame> frames;
    std::vector<WirePacket> packets;
    std::vector<Item> items;         // frames and packets as they began
    std::size_t strayCharacters = 0; // neither in a frame nor in a packet
    std::size_t framingErrors = 0;

    std::vector<const WireFrame*> wakeUpFrames() const;
    std::vector<const WireFrame*> dmxFrames() const;
};

// Keeps everything a receiver hands it in a FixtureLog: the characters as they come off the line,
// and the frames and packets they make up. A break is kept as the frame it begins.
class FixtureLogCollector : public CharacterListener, public LineListener {
public:
    explicit FixtureLogCollector(FixtureLog& log) : log_(log) {}

    void onBreak(std::int64_t, std::int64_t) override {}
    void onCharacter(const WireCharacter& c) override;
    void onFrame(const WireFrame& frame) override;
    void onPacket(const WirePacket& packet) override;
    void onStray(const WireCharacter& character) override;

private:
    FixtureLog& log_;
};

} // namespace sus
