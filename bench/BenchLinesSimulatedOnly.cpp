// SPDX-License-Identifier: Apache-2.0
#include "bench/BenchLine.h"
#include "bench/SimulatedLine.h"

namespace sus::bench {

std::vector<std::string> benchLineNames()
{
    return {"simulated"};
}

std::unique_ptr<BenchLine> createBenchLine(const std::string& name)
{
    if (name == "simulated")
        return std::make_unique<SimulatedLine>();
    return nullptr;
}

} // namespace sus::bench
