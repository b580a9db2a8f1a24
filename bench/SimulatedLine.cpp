// SPDX-License-Identifier: Apache-2.0
#include "bench/SimulatedLine.h"

namespace sus::bench {

SimulatedLine::SimulatedLine()
{
    devices_.attach({.identity = "ttyUSB0"});
    link_.discoverController();
    presenter_.clear();
}

} // namespace sus::bench
