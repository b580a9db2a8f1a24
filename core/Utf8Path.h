// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <filesystem>
#include <string>

namespace sus {

// A path as the windows, the queue and mvt's arguments hold it (UTF-8), for the file system: through
// char8_t, so that on Windows it reaches the system as Unicode, never through the ANSI code page
// that a path from a narrow string means there.
std::filesystem::path pathFromUtf8(const std::string& utf8Path);

} // namespace sus
