// SPDX-License-Identifier: Apache-2.0
#include "core/Utf8Path.h"

namespace sus {

std::filesystem::path pathFromUtf8(const std::string& utf8Path)
{
    return std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end()));
}

} // namespace sus
