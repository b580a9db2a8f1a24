// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace sus {

// What the line's thread got of the processors. It waits nearly all the time and never spins, so a
// first claim on a processor costs the machine nothing while it waits, and lets each tick run the
// moment it is due instead of after whatever else was running on a busy laptop.
struct LinePriority {
    enum class Kind : std::uint8_t {
        RealTime, // the system's real-time scheduling
        Raised,   // the highest priority an ordinary thread can have
        Ordinary, // as every thread: none of the above could be had
    };
    Kind kind = Kind::Ordinary;
    // What it got and, when ordinary, why, as a sentence for the user without its full stop:
    // "The line's thread has real-time scheduling (SCHED_FIFO, priority 10)".
    std::string how;
};

// The real-time priority the line's thread asks for: modest, below the kernel's interrupt threads
// (50), so it comes first among programs and never before the system's own work.
inline constexpr int kLineRealTimePriority = 10;

// A way of raising the calling thread, tried as the line's thread starts.
using RaisePriority = std::function<LinePriority()>;

// Asks the system to run the calling thread first, as far as it lets this program: on Linux
// SCHED_FIFO at kLineRealTimePriority (no higher than RLIMIT_RTPRIO where that limits it), on Windows
// THREAD_PRIORITY_TIME_CRITICAL. Ordinary, with why, where it may not. One source file per platform.
LinePriority raiseThisThread();

} // namespace sus
