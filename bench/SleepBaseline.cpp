// What the machine itself allows: a thread that sleeps to a steady beat with the operating system's
// own precise sleep, no event loop in between. Prints how late it woke. When the real-time benchmarks
// miss their lateness targets, run this beside them: similar figures here mean the machine (its load,
// its scheduler) is the cause, not the Qt timers; much better figures here point at the event loop.
//
//   sleep_baseline_bench [beat ms, default 20] [seconds, default 10]
#include "bench/Statistics.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

int main(int argc, char** argv)
{
    using Clock = std::chrono::steady_clock;
    const long beatMs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20;
    const long seconds = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 10;
    const auto beat = std::chrono::milliseconds(beatMs);
    const long beats = seconds * 1000 / beatMs;

    const std::string loadBefore = sus::bench::loadAverages();
    std::vector<std::int64_t> lateness;
    auto due = Clock::now();
    for (long i = 0; i < beats; ++i) {
        due += beat;
        std::this_thread::sleep_until(due);
        lateness.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - due).count());
    }
    const auto summary = sus::bench::Summary::of(lateness);
    std::printf("Sleeping to a %ld ms beat for %ld s\n", beatMs, seconds);
    std::printf("  load averages      %s before, %s after\n", loadBefore.c_str(),
                sus::bench::loadAverages().c_str());
    std::printf("  wake-up lateness   %s over %zu beats\n", summary.percentilesInMs().c_str(), summary.count);
    return 0;
}
