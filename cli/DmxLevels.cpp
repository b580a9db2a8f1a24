// SPDX-License-Identifier: Apache-2.0
#include "cli/DmxLevels.h"

#include "dmx/ChannelLayout.h"
#include "dmx/DmxUniverse.h"

namespace sus::cli {

std::optional<int> readNumber(const QString& text, int minimum, int maximum)
{
    // Digits only: no sign, blanks or base prefixes, which toInt would take.
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int value = text.toInt();
    if (value < minimum || value > maximum)
        return std::nullopt;
    return value;
}

std::optional<std::vector<ChannelLevel>> readChannelLevels(const QStringList& values, QString& error)
{
    std::vector<ChannelLevel> levels;
    for (const QString& value : values) {
        for (const QString& written : value.split(QLatin1Char(','))) {
            // Blanks around an entry, as after a comma, are no part of it.
            const QString entry = written.trimmed();
            const QStringList parts = entry.split(QLatin1Char('='));
            if (parts.size() != 2) {
                error = QStringLiteral("\"%1\" is not of the form CH=LEVEL.").arg(entry);
                return std::nullopt;
            }
            const auto channel = readNumber(parts[0], 1, static_cast<int>(kSentLevelCount));
            if (!channel) {
                error = QStringLiteral("Channel \"%1\" in \"%2\" is not a number from 1 to %3.")
                            .arg(parts[0], entry)
                            .arg(kSentLevelCount);
                return std::nullopt;
            }
            const auto level = readNumber(parts[1], 0, 255);
            if (!level) {
                error = QStringLiteral("Level \"%1\" in \"%2\" is not a number from 0 to 255.")
                            .arg(parts[1], entry);
                return std::nullopt;
            }
            levels.push_back({*channel, static_cast<std::uint8_t>(*level)});
        }
    }
    return levels;
}

std::optional<std::vector<SlotLevel>> readSlotLevels(const QString& address, const QStringList& setValues,
                                                     QString& error)
{
    const auto fixtureAddress = readNumber(address, kMinAddress, kMaxAddress);
    if (!fixtureAddress) {
        error = QStringLiteral("Address \"%1\" is not a number from %2 to %3.")
                    .arg(address)
                    .arg(kMinAddress)
                    .arg(kMaxAddress);
        return std::nullopt;
    }
    const auto levels = readChannelLevels(setValues, error);
    if (!levels)
        return std::nullopt;
    std::vector<SlotLevel> result;
    for (const ChannelLevel& entry : *levels) {
        // The console's rule: channel c of the fixture at address A is the slot the fader of c edits.
        const std::size_t slot = faderSlot(*fixtureAddress, (entry.channel - 1) / kFaderCount,
                                           (entry.channel - 1) % kFaderCount + 1);
        if (slot > kSentLevelCount) {
            error = QStringLiteral(
                        "Channel %1 at address %2 would be DMX channel %3; frames carry channels 1 to %4.")
                        .arg(entry.channel)
                        .arg(*fixtureAddress)
                        .arg(slot)
                        .arg(kSentLevelCount);
            return std::nullopt;
        }
        result.push_back({slot, entry.level});
    }
    return result;
}

} // namespace sus::cli
