// SPDX-License-Identifier: Apache-2.0
#include "bench/BenchLine.h"
#include "bench/Machine.h"
#include "link/machine/LineThreadPriority.h"

#include <cstdio>

namespace sus::bench {

RaisePriority linePriority(BenchPriority priority)
{
    if (priority == BenchPriority::AsThePrograms)
        return raiseLineThread;
    return [] {
        return LinePriority{LinePriority::Kind::Ordinary,
                            "The line's thread has ordinary scheduling, as this run asked"};
    };
}

bool runEachLine(const BenchOptions& options, const std::function<bool(BenchLine&)>& run)
{
    const BusyLoops busy(options.load);
    bool allPassed = true;
    for (const auto& name : options.lines) {
        for (const auto priority : options.priorities) {
            const auto line = createBenchLine(name, priority);
            std::printf("On the %s, with the line on its own thread %s\n", line->name().c_str(),
                        priority == BenchPriority::AsThePrograms ? "as the programs run it"
                                                                 : "as an ordinary thread");
            std::printf("  priority           %s\n", line->line().priority().how.c_str());
            allPassed = run(*line) && allPassed;
        }
    }
    return allPassed;
}

} // namespace sus::bench
