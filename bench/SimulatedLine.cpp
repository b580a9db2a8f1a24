// SPDX-License-Identifier: Apache-2.0
#include "bench/SimulatedLine.h"

namespace sus::bench {

SimulatedLine::SimulatedLine(RaisePriority raise) : line_(std::move(raise))
{
    devices_.attach({.identity = "ttyUSB0"});
    link_.discoverController();
    presenter_.clear();
}

} // namespace sus::bench
