// SPDX-License-Identifier: Apache-2.0
#include "link/FineTimerResolution.h"

#if defined(__linux__)
#include <sys/prctl.h>
#endif

namespace sus {

#if defined(__linux__)
namespace {
// An ordinary thread's timed waits may end up to 50 us late by default, so that the kernel can wake
// several at once; the line's thread asks for none. A real-time thread has none anyway.
constexpr unsigned long kTimerSlackNs = 1;
thread_local unsigned long slackBefore = 0;
} // namespace

FineTimerResolution::FineTimerResolution()
{
    slackBefore = static_cast<unsigned long>(prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0));
    prctl(PR_SET_TIMERSLACK, kTimerSlackNs, 0, 0, 0);
}

FineTimerResolution::~FineTimerResolution()
{
    prctl(PR_SET_TIMERSLACK, slackBefore, 0, 0, 0);
}
#else
// Timed waits on the monotonic clock are already as precise as the kernel's timers.
FineTimerResolution::FineTimerResolution() = default;
FineTimerResolution::~FineTimerResolution() = default;
#endif

} // namespace sus
