// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sus::cli {

// One --set entry: a fixture channel and its level.
struct ChannelLevel {
    int channel = 0;
    std::uint8_t level = 0;
};

// Reads a whole decimal number from `minimum` to `maximum`; nothing for any other text.
std::optional<int> readNumber(const QString& text, int minimum, int maximum);

// Reads the --set values ("CH=LEVEL[,CH=LEVEL...]", each value of a repeated option in turn):
// channels 1 to 512, levels 0 to 255. Nothing, with the reason in `error`, when an entry is not
// of that form or out of range.
std::optional<std::vector<ChannelLevel>> readChannelLevels(const QStringList& values, QString& error);

// A level for a DMX slot (1 to 512).
struct SlotLevel {
    std::size_t slot = 0;
    std::uint8_t level = 0;
};

// The --address and --set values as the slots they set: channel c of the fixture at address A goes
// to the slot the console's fader of c edits. Nothing, with the reason in `error`, for an address
// out of range, a --set entry that cannot be read, or a channel beyond the frame's last slot.
std::optional<std::vector<SlotLevel>> readSlotLevels(const QString& address, const QStringList& setValues,
                                                     QString& error);

} // namespace sus::cli
