// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "receive/HeardItems.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>

namespace sus {

// A DMX512 frame's start code and its 512 level slots.
inline constexpr std::size_t kDmxFrameSlots = 513;

// Prints what is heard as it is heard, one line each: DMX frames (start code, the levels that
// changed, the frame period), wake-up frames, update packets (type, block, checksum), characters
// that belong to nothing (counted in a run).
class HeardLinePrinter : public LineListener {
public:
    // `timed`: the times are those the characters were read at, worth showing; otherwise they are
    // only an order and no time or period is printed.
    HeardLinePrinter(std::ostream& out, bool timed) : out_(out), timed_(timed) {}

    void onFrame(const WireFrame& frame) override;
    void onPacket(const WirePacket& packet) override;
    void onStray(const WireCharacter& character) override;
    // Prints the strays not yet printed.
    void finish();

    std::size_t strays() const { return strays_; }
    std::size_t dmxFrames() const { return dmxFrames_; }
    std::size_t wakeUpFrames() const { return wakeUps_; }
    std::size_t packets() const { return packets_; }

private:
    std::ostream& line(std::int64_t atNs);
    void printDmx(const WireFrame& frame);
    void flushStrays();

    std::ostream& out_;
    bool timed_;
    std::optional<std::int64_t> firstNs_;
    std::size_t frames_ = 0;
    std::size_t wakeUps_ = 0;
    std::size_t dmxFrames_ = 0;
    std::size_t packets_ = 0;
    std::size_t strays_ = 0;
    std::size_t straysInRun_ = 0;
    std::int64_t strayRunNs_ = 0;
    std::optional<std::int64_t> lastDmxBreakNs_;
    std::array<std::uint8_t, kDmxFrameSlots> levels_{}; // as the last DMX frame left them
};

} // namespace sus
