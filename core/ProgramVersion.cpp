// SPDX-License-Identifier: Apache-2.0
#include "core/ProgramVersion.h"

#include "BuildVersion.h"

#include <iostream>

namespace sus {

std::string versionLine(std::string_view program)
{
    std::string line = std::string(program) + ' ' + kProjectVersion;
    // Sources without a git checkout of their own (an archive, a checkout without git) know no commit.
    line += kBuildCommit[0] != '\0' ? std::string(" (commit ") + kBuildCommit + ')'
                                    : std::string(" (not from a commit)");
    return line + '\n' + kLicenceLine + '\n';
}

std::string_view projectVersion()
{
    return kProjectVersion;
}

std::string_view buildCommit()
{
    return kBuildCommit;
}

bool printVersionIfAsked(int argc, const char* const* argv, std::string_view program)
{
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--version") {
            std::cout << versionLine(program) << std::flush;
            return true;
        }
    }
    return false;
}

} // namespace sus
