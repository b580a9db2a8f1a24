// SPDX-License-Identifier: Apache-2.0
#include "cli/Terminal.h"

#include <unistd.h>

namespace sus::cli {

bool errorStreamIsTerminal()
{
    return ::isatty(STDERR_FILENO) != 0;
}

void writeOutputAsBytes()
{
    // A line feed is written as it is already.
}

} // namespace sus::cli
