// SPDX-License-Identifier: Apache-2.0
#include "cli/VirtualPacer.h"

#include <limits>

namespace sus::cli {

Pacer::RunEnd VirtualPacer::runUntil(const std::function<bool()>& done)
{
    return scheduler_.runUntil(done, std::numeric_limits<std::int64_t>::max()) ? RunEnd::Done
                                                                               : RunEnd::TimersStopped;
}

} // namespace sus::cli
