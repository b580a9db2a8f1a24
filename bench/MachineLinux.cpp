// SPDX-License-Identifier: Apache-2.0
#include "bench/Machine.h"

#include "core/Nanoseconds.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <fstream>
#include <vector>

namespace sus::bench {

std::string loadAverages()
{
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    if (!(in >> one >> five >> fifteen))
        return "unknown";
    return one + " " + five + " " + fifteen;
}

std::int64_t processCpuNs()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return std::int64_t{used.tv_sec} * kNsPerSecond + used.tv_nsec;
}

std::int64_t threadRunQueueWaitNs()
{
    std::ifstream in("/proc/thread-self/schedstat");
    std::int64_t runningNs = 0;
    std::int64_t waitingNs = -1;
    in >> runningNs >> waitingNs;
    return in ? waitingNs : -1;
}

struct BusyLoops::Running {
    std::vector<pid_t> children;
};

BusyLoops::BusyLoops(int count) : running_(std::make_unique<Running>())
{
    for (int i = 0; i < count; ++i) {
        const pid_t child = fork();
        if (child == 0) {
            // Gone with the benchmark, however it ends.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            volatile unsigned spin = 0;
            for (;;)
                spin = spin + 1u;
        }
        if (child > 0)
            running_->children.push_back(child);
    }
}

BusyLoops::~BusyLoops()
{
    for (const pid_t child : running_->children)
        kill(child, SIGKILL);
    for (const pid_t child : running_->children)
        waitpid(child, nullptr, 0);
}

} // namespace sus::bench
