// SPDX-License-Identifier: Apache-2.0
#include "link/LineThreadCheck.h"

#include <atomic>

namespace sus {

namespace {
std::atomic<int> linesWithAThread{0};
thread_local bool onALinesThread = false;
} // namespace

bool onTheLinesThread()
{
    return onALinesThread || linesWithAThread.load() == 0;
}

LineThreadMark::LineThreadMark()
{
    onALinesThread = true;
    ++linesWithAThread;
}

LineThreadMark::~LineThreadMark()
{
    --linesWithAThread;
    onALinesThread = false;
}

} // namespace sus
