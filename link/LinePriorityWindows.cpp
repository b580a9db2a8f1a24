// SPDX-License-Identifier: Apache-2.0
#include "link/LinePriority.h"

#include <windows.h>

namespace sus {

LinePriority raiseThisThread()
{
    if (SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL))
        return {LinePriority::Kind::Raised,
                "The line's thread has the highest priority (THREAD_PRIORITY_TIME_CRITICAL)"};
    return {LinePriority::Kind::Ordinary,
            "The line's thread has ordinary priority: THREAD_PRIORITY_TIME_CRITICAL was refused (error " +
                std::to_string(GetLastError()) + ")"};
}

} // namespace sus
