// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <string_view>

namespace sus {

// The licence, as `--version` names it.
inline constexpr const char* kLicenceLine = "Licensed under the Apache License, Version 2.0.";

// What `--version` prints: a line with the program's name, the project version and, when the build
// came from a git checkout, the commit ("mvt 1.0.0 (commit 874de79a1b2c)"); then the licence line.
std::string versionLine(std::string_view program);

// The project version ("1.0.0"), and the commit the build came from: empty when it knows none.
std::string_view projectVersion();
std::string_view buildCommit();

// For the window programs, which take no arguments of their own: when one of the arguments is
// `--version`, prints the version lines on standard output and returns true. Called before the
// application object exists, so it works without a display.
bool printVersionIfAsked(int argc, const char* const* argv, std::string_view program);

} // namespace sus
