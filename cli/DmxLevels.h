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

} // namespace sus::cli
