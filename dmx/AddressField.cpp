// SPDX-License-Identifier: Apache-2.0
#include "dmx/AddressField.h"

#include "dmx/ChannelLayout.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>

namespace sus {

namespace {

bool isBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<int> parseAddress(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;

    constexpr std::int64_t kSaturation = std::numeric_limits<int>::max();
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = std::min(magnitude * 10 + (c - '0'), kSaturation);
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int clampAddress(int value)
{
    return std::clamp(value, kMinAddress, kMaxAddress);
}

int stepAddress(int value, int steps)
{
    // Summed wide: a step from a typed extreme value must not overflow.
    return static_cast<int>(
        std::clamp<std::int64_t>(static_cast<std::int64_t>(value) + steps, kMinAddress, kMaxAddress));
}

std::string addressTextOnFocusLost(std::string_view text)
{
    const std::optional<int> typed = parseAddress(text);
    if (!typed)
        return std::string(kFallbackAddressText);
    return std::to_string(clampAddress(*typed));
}

} // namespace sus
