// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "tests/bridge/PortSettings.h"

#include <termios.h>

namespace sus::bridge {

// The C library's termios, as tcgetattr fills it and tcsetattr takes it. Its rate is in the rate
// bits; with the "carried as a number" bits, baud is 0: the rate set before stays.
PortSettings fromLibc(const termios& settings);
termios toLibc(const PortSettings& settings);

} // namespace sus::bridge
