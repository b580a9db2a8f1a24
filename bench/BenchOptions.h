// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace sus::bench {

// The command line of a real-time benchmark: [--line NAME]... [COUNT]
// - --line: the lines to run on, in turn (default: every line this build has);
// - COUNT: how much to send (KiB of image, DMX frames).
struct BenchOptions {
    std::vector<std::string> lines;
    std::size_t count = 0;

    // Nothing, with the reason and the usage on standard error, when the arguments are wrong.
    static std::optional<BenchOptions> parse(int argc, char** argv, std::size_t defaultCount);
};

} // namespace sus::bench
