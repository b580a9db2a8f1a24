// SPDX-License-Identifier: Apache-2.0
#include "bench/Machine.h"

#include <windows.h>

#include <cstdint>

namespace sus::bench {

namespace {

std::int64_t hundredsOfNs(const FILETIME& t)
{
    return static_cast<std::int64_t>((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime);
}

} // namespace

std::string loadAverages()
{
    return "unknown";
}

std::int64_t processCpuNs()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    return (hundredsOfNs(kernel) + hundredsOfNs(user)) * 100;
}

std::int64_t threadRunQueueWaitNs()
{
    return -1;
}

} // namespace sus::bench
