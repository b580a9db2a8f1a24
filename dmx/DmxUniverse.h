#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace sus {

// Slot layout of the universe. Slot 0 is the start code; slots 1 to 512 are DMX channels 1 to 512
// and go out in every frame; the slots after them catch fixture channels that lie past channel 512:
// they are kept and shown but never sent.
inline constexpr std::size_t kUniverseSlots = 600;
inline constexpr std::size_t kStartCodeSlot = 0;
inline constexpr std::size_t kFirstLevelSlot = 1;
inline constexpr std::size_t kSentLevelCount = 512;
inline constexpr std::uint8_t kDmxStartCode = 0;

// The program's one store of DMX levels, all 0 at start and never cleared. Every access is checked,
// so a wrong slot number is an error rather than a write into a neighbour.
class DmxUniverse {
public:
    std::uint8_t level(std::size_t slot) const { return slots_.at(slot); }
    void setLevel(std::size_t slot, std::uint8_t level) { slots_.at(slot) = level; }

    // The start code followed by the 512 sent levels, contiguous, for the frame's writes.
    const std::uint8_t* frame() const { return slots_.data(); }

private:
    std::array<std::uint8_t, kUniverseSlots> slots_{};
};

} // namespace sus
