// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCommandLineParser>

#include <cstddef>
#include <string>
#include <vector>

namespace sus::cli {

// The `mvt send` command line that sends `files` again from the one at `from` on: every option as
// it was given, in its order, the passwords of the files before it left out when each file had its
// own, and each password shown as "--password …". Nothing else of mvt prints a password, and a
// summary stays on the screen and in logs. Arguments a shell would split are quoted for a POSIX
// shell.
std::string sendAgainCommand(const QCommandLineParser& parser, const std::vector<std::string>& files,
                             std::size_t from);

} // namespace sus::cli
