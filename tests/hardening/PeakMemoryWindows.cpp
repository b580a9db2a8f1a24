// SPDX-License-Identifier: Apache-2.0
#include "tests/hardening/PeakMemory.h"

#include <windows.h>

#include <psapi.h>

namespace sus::test {
namespace {

PROCESS_MEMORY_COUNTERS_EX counters()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    return counters;
}

} // namespace

std::int64_t peakResidentBytes()
{
    return static_cast<std::int64_t>(counters().PeakWorkingSetSize);
}

std::int64_t heapBytesInUse()
{
    // The C runtime gives no count of its allocations; the memory committed to the process alone
    // grows with them just the same, which is all a soak asks.
    return static_cast<std::int64_t>(counters().PrivateUsage);
}

} // namespace sus::test
