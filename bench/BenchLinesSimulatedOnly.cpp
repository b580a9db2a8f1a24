// SPDX-License-Identifier: Apache-2.0
#include "bench/BenchLine.h"
#include "bench/SimulatedLine.h"

namespace sus::bench {

std::vector<std::string> benchLineNames()
{
    return {"simulated"};
}

std::unique_ptr<BenchLine> createBenchLine(const std::string& name, BenchPriority priority)
{
    if (name == "simulated")
        return std::make_unique<SimulatedLine>(linePriority(priority));
    return nullptr;
}

} // namespace sus::bench
