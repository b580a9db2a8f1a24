// SPDX-License-Identifier: Apache-2.0
#include "link/machine/LineThreadPriority.h"

namespace sus {

LinePriority raiseLineThread()
{
    return raiseThisThread();
}

} // namespace sus
