// SPDX-License-Identifier: Apache-2.0
#include "link/LinkTurns.h"

#include "link/Link.h"

namespace sus {

void LinkTurns::updateRunStarts()
{
    updateRunHasTheLink_ = true;
    if (output_) {
        output_->stopForUpdateRun();
        output_->offer(false);
    }
}

void LinkTurns::updateRunEnded()
{
    updateRunHasTheLink_ = false;
    if (output_)
        output_->offer(link_.controllerFound());
}

} // namespace sus
