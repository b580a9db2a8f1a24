// SPDX-License-Identifier: Apache-2.0
#include "link/LinePriority.h"

#include <sched.h>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace sus {

namespace {

// A thread or process the program starts from the line's thread does not inherit its claim.
#ifdef SCHED_RESET_ON_FORK
constexpr int kRealTimePolicy = SCHED_FIFO | SCHED_RESET_ON_FORK;
#else
constexpr int kRealTimePolicy = SCHED_FIFO;
#endif

} // namespace

LinePriority raiseThisThread()
{
    rlimit limit{};
    getrlimit(RLIMIT_RTPRIO, &limit);
    // A limit of 0 stops only the unprivileged; a privileged thread may ask for the priority all the same.
    int priority = kLineRealTimePriority;
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur > 0)
        priority = std::min(priority, static_cast<int>(limit.rlim_cur));
    sched_param param{};
    param.sched_priority = priority;
    // On Linux, 0 names the calling thread alone.
    if (sched_setscheduler(0, kRealTimePolicy, &param) == 0)
        return {LinePriority::Kind::RealTime,
                "The line's thread has real-time scheduling (SCHED_FIFO, priority " +
                    std::to_string(priority) + ")"};
    const int error = errno;
    const std::string allowed =
        limit.rlim_cur == RLIM_INFINITY ? "unlimited" : std::to_string(limit.rlim_cur);
    return {LinePriority::Kind::Ordinary,
            "The line's thread has ordinary scheduling: SCHED_FIFO was refused (" +
                std::string(std::strerror(error)) + "; RLIMIT_RTPRIO is " + allowed + ")"};
}

} // namespace sus
