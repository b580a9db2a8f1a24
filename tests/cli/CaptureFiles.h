// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/VirtualFixture.h"
#include "update/UpdateImage.h"

#include <filesystem>
#include <string>

namespace sus::test {

// The whole content of a file, as bytes; empty when it cannot be read.
std::string fileText(const std::filesystem::path& path);

// What the virtual fixture hears from the writes a wire log records.
FixtureLog heardFromWireLog(const std::filesystem::path& path);

// A demo file of examples/, read whole.
UpdateImage exampleImage(const std::string& name);
std::filesystem::path examplePath(const std::string& name);

} // namespace sus::test
