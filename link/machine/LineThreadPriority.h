// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/LinePriority.h"

namespace sus {

// Raises the calling thread, the line's, as far as this platform lets a Qt program: as
// raiseThisThread(), and on Linux where that was refused, through RealtimeKit on the system bus.
// One source file per platform.
LinePriority raiseLineThread();

} // namespace sus
