// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace sus {

// Slot layout of the universe. Slot 0 is the start code; slots 1 to 512 are DMX channels 1 to 512
// and go out in every frame; the slots after them catch fixture channels that lie past channel 512:
// they are kept and shown but never sent.
inline constexpr std::size_t kUniverseSlots = 600;
inline constexpr std::size_t kStartCodeSlot = 0;
inline constexpr std::size_t kFirstLevelSlot = 1;
inline constexpr std::size_t kSentLevelCount = 512;
inline constexpr std::size_t kSentSlotCount = kFirstLevelSlot + kSentLevelCount;
inline constexpr std::uint8_t kDmxStartCode = 0;

// What one frame sends: the start code followed by the 512 levels.
using DmxFrameSlots = std::array<std::uint8_t, kSentSlotCount>;

// The program's one store of DMX levels, all 0 at start and never cleared. Every access is checked,
// so a wrong slot number is an error rather than a write into a neighbour. The faders write it on the
// window's thread while DMX output reads it on the line's: every access is whole under a lock, so a
// frame carries each change entirely or not at all.
class DmxUniverse {
public:
    std::uint8_t level(std::size_t slot) const
    {
        const std::lock_guard lock(mutex_);
        return slots_.at(slot);
    }
    void setLevel(std::size_t slot, std::uint8_t level)
    {
        const std::lock_guard lock(mutex_);
        slots_.at(slot) = level;
    }

    // The slots a frame sends, as they stand at one moment.
    DmxFrameSlots sentSlots() const
    {
        const std::lock_guard lock(mutex_);
        DmxFrameSlots sent;
        std::copy_n(slots_.begin(), sent.size(), sent.begin());
        return sent;
    }

private:
    mutable std::mutex mutex_;
    std::array<std::uint8_t, kUniverseSlots> slots_{};
};

} // namespace sus
