// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <string>

namespace sus::bench {

// What the machine and the process did over a measurement: the load around it, the CPU all the
// process's threads used, and how long the thread it watches waited for a CPU. Create and read it on
// the thread it watches.
class MachineWatch {
public:
    struct Figures {
        std::string loadBefore;
        std::string loadAfter;
        std::int64_t wallNs = 0;
        std::int64_t cpuNs = 0;
        std::int64_t runQueueWaitNs = -1;

        double cpuPercentOfACore() const;
    };

    MachineWatch();
    Figures figures() const;

private:
    std::string loadBefore_;
    std::int64_t startNs_;
    std::int64_t cpuNs_;
    std::int64_t runQueueWaitNs_;
};

} // namespace sus::bench
