// SPDX-License-Identifier: Apache-2.0
// What the machine itself allows, alone: a thread that sleeps to a steady beat, no event loop in
// between. The real-time benchmarks run the same thread beside their own measurements; this runs it
// for as long as asked, e.g. beside another program.
//
//   sleep_baseline_bench [beat ms, default 20] [seconds, default 10]
#include "bench/Machine.h"
#include "bench/SleepingThread.h"
#include "bench/Statistics.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv)
{
    const long beatMs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20;
    const long seconds = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 10;
    if (beatMs <= 0 || seconds <= 0) {
        std::fprintf(stderr, "Usage: %s [beat ms] [seconds], both above 0\n", argv[0]);
        return 2;
    }

    const std::string loadBefore = sus::bench::loadAverages();
    sus::bench::SleepingThread sleeper{std::chrono::milliseconds(beatMs)};
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const auto summary = sus::bench::Summary::of(sleeper.stop());
    std::printf("Sleeping to a %ld ms beat for %ld s\n", beatMs, seconds);
    std::printf("  load averages      %s before, %s after\n", loadBefore.c_str(),
                sus::bench::loadAverages().c_str());
    std::printf("  wake-up lateness   %s over %zu beats\n", summary.percentilesInMs().c_str(), summary.count);
    return 0;
}
