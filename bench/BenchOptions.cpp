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
    std::fprintf(stderr,
                 "%s: %s\nUsage: %s [--line %s]... [--priority program|ordinary]... [--load N] [COUNT]\n",
                 program, why.c_str(), program, names.c_str());
    return std::nullopt;
}

// A whole decimal number, or nothing.
std::optional<unsigned long> number(const char* text)
{
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || value > 1'000'000)
        return std::nullopt;
    return value;
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
        } else if (arg == "--priority" && i + 1 < argc) {
            const std::string_view priority = argv[++i];
            if (priority != "program" && priority != "ordinary")
                return refuse(argv[0], "the priority is \"program\" or \"ordinary\"");
            options.priorities.push_back(priority == "program" ? BenchPriority::AsThePrograms
                                                               : BenchPriority::Ordinary);
        } else if (arg == "--load" && i + 1 < argc) {
            const auto loops = number(argv[++i]);
            if (!loops)
                return refuse(argv[0], "--load takes a number of busy loops");
            options.load = static_cast<int>(*loops);
        } else {
            const auto count = number(argv[i]);
            if (!count || *count == 0)
                return refuse(argv[0], "\"" + std::string(arg) + "\" is neither an option nor a count");
            options.count = *count;
        }
    }
    if (options.lines.empty())
        options.lines = known;
    if (options.priorities.empty())
        options.priorities = {BenchPriority::AsThePrograms, BenchPriority::Ordinary};
    return options;
}

} // namespace sus::bench
