// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <string_view>

namespace sus {

// Texts stored in update files are single-byte Windows-1252 characters, shown one character per
// byte. Converts such bytes to UTF-8 for the window and the terminal. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same number,
// so every byte stays visible as exactly one character and nothing is dropped.
std::string windows1252ToUtf8(std::string_view bytes);

} // namespace sus
