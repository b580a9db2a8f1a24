#pragma once

#include <string>
#include <string_view>

namespace sus {

// What `--version` prints, one line: the program's name, the project version and, when the build came
// from a git checkout, the commit ("mvt 0.1 (commit 874de79a1b2c)").
std::string versionLine(std::string_view program);

// For the window programs, which take no arguments of their own: when one of the arguments is
// `--version`, prints the version line on standard output and returns true. Called before the
// application object exists, so it works without a display.
bool printVersionIfAsked(int argc, const char* const* argv, std::string_view program);

} // namespace sus
