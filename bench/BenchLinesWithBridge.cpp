// SPDX-License-Identifier: Apache-2.0
#include "bench/BenchLine.h"
#include "bench/ModelBridgeLine.h"
#include "bench/SimulatedLine.h"

namespace sus::bench {

std::vector<std::string> benchLineNames()
{
    return {"simulated", "bridge"};
}

std::unique_ptr<BenchLine> createBenchLine(const std::string& name)
{
    if (name == "simulated")
        return std::make_unique<SimulatedLine>();
    if (name == "bridge")
        return std::make_unique<ModelBridgeLine>();
    return nullptr;
}

} // namespace sus::bench
