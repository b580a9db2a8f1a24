// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sus {

// The rules of the fixture address field, shared by the console (which reads it) and the window
// (which keeps it in range while the user edits it). Limits: kMinAddress..kMaxAddress (ChannelLayout.h).

// What a text that is not a number reads as, and the text the field then shows.
inline constexpr std::string_view kFallbackAddressText = "1";

// The field's text as a whole number: optional blanks around an optional sign and decimal digits.
// Empty when the text is not a number. Values too large for an int read as the largest int, so
// they still count as out of range rather than wrapping into it.
std::optional<int> parseAddress(std::string_view text);

// Brings a typed value to the nearer limit of the field.
int clampAddress(int value);

// The up/down buttons and arrow keys: `steps` steps from `value`, stopping at the limits.
int stepAddress(int value, int steps);

// The field's text after it loses the focus: a number brought into range; any other text reads as
// the minimum and is shown as such.
std::string addressTextOnFocusLost(std::string_view text);

} // namespace sus
