// SPDX-License-Identifier: Apache-2.0
#include "link/WireWrite.h"

#include "link/LineTiming.h"

namespace sus {

std::int64_t WireWrite::endNs() const
{
    return startNs + static_cast<std::int64_t>(bytes.size()) * characterDurationNs(line);
}

} // namespace sus
