#pragma once

#include "core/Timer.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sus::bench {

// The command line of a real-time benchmark: [--line NAME]... [--qt-timer] [COUNT]
// - --line: the lines to run on, in turn (default: every line this build has);
// - --qt-timer: the precise Qt timer instead of the real-time timer the programs use, to compare;
// - COUNT: how much to send (KiB of image, DMX frames).
struct BenchOptions {
    std::vector<std::string> lines;
    bool qtTimer = false;
    std::size_t count = 0;

    // Nothing, with the reason and the usage on standard error, when the arguments are wrong.
    static std::optional<BenchOptions> parse(int argc, char** argv, std::size_t defaultCount);

    std::unique_ptr<Timer> createTimer() const;
    const char* timerName() const;
};

} // namespace sus::bench
