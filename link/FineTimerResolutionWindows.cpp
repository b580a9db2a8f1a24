// SPDX-License-Identifier: Apache-2.0
#include "link/FineTimerResolution.h"

#include <windows.h>

#include <timeapi.h>

namespace sus {

namespace {
// Windows wakes timed waits at its timer's resolution, 15.6 ms unless a program asks for finer.
constexpr UINT kResolutionMs = 1;
} // namespace

FineTimerResolution::FineTimerResolution()
{
    timeBeginPeriod(kResolutionMs);
}

FineTimerResolution::~FineTimerResolution()
{
    timeEndPeriod(kResolutionMs);
}

} // namespace sus
