// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sus::bench {

// How the line's thread runs in a benchmark run: as the programs run it (first on the processors
// where the system lets it), or as an ordinary thread, to compare.
enum class BenchPriority { AsThePrograms, Ordinary };

// The command line of a real-time benchmark: [--line NAME]... [--priority program|ordinary]...
// [--load N] [COUNT]
// - --line: the lines to run on, in turn (default: every line this build has);
// - --priority: each line is run once for each given (default: program, then ordinary);
// - --load: N busy loops keep the processors busy from the first run to the end (default none);
// - COUNT: how much to send (KiB of image, DMX frames).
struct BenchOptions {
    std::vector<std::string> lines;
    std::vector<BenchPriority> priorities;
    int load = 0;
    std::size_t count = 0;

    // Nothing, with the reason and the usage on standard error, when the arguments are wrong.
    static std::optional<BenchOptions> parse(int argc, char** argv, std::size_t defaultCount);
};

} // namespace sus::bench
