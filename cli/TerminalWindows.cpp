// SPDX-License-Identifier: Apache-2.0
#include "cli/Terminal.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace sus::cli {

bool errorStreamIsTerminal()
{
    return ::_isatty(::_fileno(stderr)) != 0;
}

void writeOutputAsBytes()
{
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace sus::cli
