// SPDX-License-Identifier: Apache-2.0
#include "bench/BenchOptions.h"

#include "bench/BenchLine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace sus::bench {

namespace {

std::optional<BenchOptions> refuse(const char* program, const std::string& why)
{
    std::string names;
    for (const auto& name : benchLineNames())
        names += (names.empty() ? "" : "|") + name;
    std::fprintf(stderr, "%s: %s\nUsage: %s [--line %s]... [COUNT]\n", program, why.c_str(), program,
                 names.c_str());
    return std::nullopt;
}

} // namespace

std::optional<BenchOptions> BenchOptions::parse(int argc, char** argv, std::size_t defaultCount)
{
    BenchOptions options;
    options.count = defaultCount;
    const auto known = benchLineNames();
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--line" && i + 1 < argc) {
            const std::string name = argv[++i];
            if (std::ranges::find(known, name) == known.end())
                return refuse(argv[0], "no line \"" + name + "\" in this build");
            options.lines.push_back(name);
        } else {
            char* end = nullptr;
            const unsigned long count = std::strtoul(argv[i], &end, 10);
            if (end == argv[i] || *end != '\0' || count == 0)
                return refuse(argv[0], "\"" + std::string(arg) + "\" is neither an option nor a count");
            options.count = count;
        }
    }
    if (options.lines.empty())
        options.lines = known;
    return options;
}

} // namespace sus::bench
