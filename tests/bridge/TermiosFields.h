// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tests/bridge/PortSettings.h"

#include <algorithm>

namespace sus::bridge {

// The fields the C library's termios and the kernel's share, copied either way; the rate is each
// layout's own business. Termios is any of those layouts.
template <typename Termios> PortSettings settingsFrom(const Termios& settings)
{
    PortSettings port;
    port.iflag = settings.c_iflag;
    port.oflag = settings.c_oflag;
    port.cflag = settings.c_cflag;
    port.lflag = settings.c_lflag;
    port.lineDiscipline = settings.c_line;
    std::copy_n(settings.c_cc, port.controlChars.size(), port.controlChars.begin());
    port.baud = standardRate(settings.c_cflag).value_or(0);
    return port;
}

template <typename Termios> void settingsInto(const PortSettings& port, Termios& settings)
{
    settings.c_iflag = port.iflag;
    settings.c_oflag = port.oflag;
    settings.c_cflag = port.cflag;
    settings.c_lflag = port.lflag;
    settings.c_line = port.lineDiscipline;
    std::copy(port.controlChars.begin(), port.controlChars.end(), settings.c_cc);
}

} // namespace sus::bridge
