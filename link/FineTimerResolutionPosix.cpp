// SPDX-License-Identifier: Apache-2.0
#include "link/FineTimerResolution.h"

namespace sus {

// Timed waits on the monotonic clock are already as precise as the kernel's timers.
FineTimerResolution::FineTimerResolution() = default;
FineTimerResolution::~FineTimerResolution() = default;

} // namespace sus
