// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace sus {

// While one lives, the thread that made it wakes from timed waits as precisely as the platform
// allows: the line's thread keeps its ticks with it. One source file per platform.
class FineTimerResolution {
public:
    FineTimerResolution();
    ~FineTimerResolution();
    FineTimerResolution(const FineTimerResolution&) = delete;
    FineTimerResolution& operator=(const FineTimerResolution&) = delete;
};

} // namespace sus
