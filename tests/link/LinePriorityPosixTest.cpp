// SPDX-License-Identifier: Apache-2.0
// The line's thread comes first on Linux: SCHED_FIFO at a modest priority where the system lets the
// program have it (as root, as CI runs), and nothing it starts inherits the claim.
#include "link/LineThread.h"
#include "tests/support/TaskQueue.h"

#include <sched.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

namespace sus::test {
namespace {

// The calling thread's policy, the reset-on-fork flag left out, and its priority.
std::pair<int, int> scheduling()
{
    sched_param param{};
    sched_getparam(0, &param);
    return {sched_getscheduler(0) & ~SCHED_RESET_ON_FORK, param.sched_priority};
}

TEST(LinePriority, TheLinesThreadComesFirstAndWhatItStartsDoesNotInheritIt)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "real-time scheduling needs root here (RLIMIT_RTPRIO or CAP_SYS_NICE)";
    TaskQueue window;
    LineThread line(window);
    std::pair<int, int> onTheLine;
    std::pair<int, int> startedThere;
    bool done = false;
    line.threads().line.post([&] {
        onTheLine = scheduling();
        std::thread([&] { startedThere = scheduling(); }).join();
        window.post([&] { done = true; });
    });
    ASSERT_TRUE(window.runUntil([&] { return done; }));
    EXPECT_EQ(line.priority().kind, LinePriority::Kind::RealTime);
    EXPECT_EQ(line.priority().how, "The line's thread has real-time scheduling (SCHED_FIFO, priority 10)");
    EXPECT_EQ(onTheLine, std::make_pair(SCHED_FIFO, kLineRealTimePriority));
    EXPECT_EQ(startedThere, std::make_pair(SCHED_OTHER, 0));
    // The thread that made the line keeps what it had.
    EXPECT_EQ(scheduling().first, SCHED_OTHER);
}

} // namespace
} // namespace sus::test
