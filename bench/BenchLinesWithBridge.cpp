// SPDX-License-Identifier: Apache-2.0
#include "bench/BenchLine.h"
#include "bench/ModelBridgeLine.h"
#include "bench/SimulatedLine.h"

namespace sus::bench {

std::vector<std::string> benchLineNames()
{
    return {"simulated", "bridge"};
}

std::unique_ptr<BenchLine> createBenchLine(const std::string& name, BenchPriority priority)
{
    if (name == "simulated")
        return std::make_unique<SimulatedLine>(linePriority(priority));
    if (name == "bridge")
        return std::make_unique<ModelBridgeLine>(linePriority(priority));
    return nullptr;
}

} // namespace sus::bench
