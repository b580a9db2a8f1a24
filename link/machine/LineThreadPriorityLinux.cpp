// SPDX-License-Identifier: Apache-2.0
#include "link/machine/LineThreadPriority.h"

#include "link/machine/RealtimeKit.h"

#include <unistd.h>

namespace sus {

LinePriority raiseLineThread()
{
    LinePriority own = raiseThisThread();
    if (own.kind != LinePriority::Kind::Ordinary)
        return own;
    LinePriority granted = askRealtimeKit(QDBusConnection::systemBus(), gettid());
    if (granted.kind == LinePriority::Kind::Ordinary)
        granted.how = own.how + "; " + granted.how;
    return granted;
}

} // namespace sus
