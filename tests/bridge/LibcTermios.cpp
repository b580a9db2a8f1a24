// SPDX-License-Identifier: Apache-2.0
#include "tests/bridge/LibcTermios.h"

#include "tests/bridge/TermiosFields.h"

namespace sus::bridge {

PortSettings fromLibc(const termios& settings)
{
    return settingsFrom(settings);
}

termios toLibc(const PortSettings& port)
{
    termios settings{};
    settingsInto(port, settings);
    // As the C library reports it: the rate bits, whatever number they stand for.
    settings.c_ispeed = settings.c_ospeed = port.cflag & (CBAUD | CBAUDEX);
    return settings;
}

} // namespace sus::bridge
