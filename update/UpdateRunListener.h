// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/RunEnding.h"

namespace sus {

// Told when an update run starts (on Start, before the link opens) and once it has ended, however it
// ended: the window program and its demo follow runs through this.
class UpdateRunListener {
public:
    virtual ~UpdateRunListener() = default;
    virtual void updateRunStarted() = 0;
    virtual void updateRunEnded(RunOutcome outcome) = 0;
};

} // namespace sus
