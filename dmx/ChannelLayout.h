// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sus {

// The console shows 16 faders at a time over 4 pages, 64 fixture channels in all.
inline constexpr int kFaderCount = 16;
inline constexpr int kPageCount = 4;

// Fader travel: position 0 is the top (full level), kFaderBottom the bottom (level 0).
inline constexpr int kFaderBottom = 255;

// Fixture start addresses the console accepts; with them every fader reaches a slot of the universe.
inline constexpr int kMinAddress = 1;
inline constexpr int kMaxAddress = 511;

// The slot that fader `fader` (1..16) on page `page` (0..3) edits for the fixture at `address`
// (1..511): the fixture's channel 16 * page + fader, at DMX channel address + 16 * page + fader - 1.
constexpr std::size_t faderSlot(int address, int page, int fader)
{
    return static_cast<std::size_t>(address + kFaderCount * page + fader - 1);
}

// A fader's level is measured from the bottom of its travel.
constexpr std::uint8_t levelAtPosition(int position)
{
    return static_cast<std::uint8_t>(kFaderBottom - position);
}
constexpr int positionForLevel(std::uint8_t level)
{
    return kFaderBottom - level;
}

// The name under fader `fader` on page `page`: "CH01" to "CH64".
std::string channelName(int page, int fader);

// What fader `fader` on page `page` drives for the fixture at `address`, for its tooltip: the DMX
// channel, and when that lies past the last channel a frame carries, that no frame sends its level.
std::string faderChannelNote(int address, int page, int fader);

// A read-out's text: the level in decimal, "0" to "255".
std::string levelText(std::uint8_t level);

} // namespace sus
