// SPDX-License-Identifier: Apache-2.0
#include "bench/BenchLine.h"
#include "link/machine/LineThreadPriority.h"

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

const char* priorityName(BenchPriority priority)
{
    return priority == BenchPriority::AsThePrograms ? "as the programs run it" : "as an ordinary thread";
}

} // namespace sus::bench
