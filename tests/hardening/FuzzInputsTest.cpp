// SPDX-License-Identifier: Apache-2.0
// Every seed of the update-file fuzzer and every input it ever broke a check with, run through the
// same checks in the ordinary test builds.
#include "fuzz/UpdateFileCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace sus::fuzz {
namespace {

std::vector<std::filesystem::path> inputsIn(const char* folder)
{
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(SUS_FUZZ_DIR) / folder)) {
        if (entry.is_regular_file())
            inputs.push_back(entry.path());
    }
    return inputs;
}

void checkEvery(const std::vector<std::filesystem::path>& inputs)
{
    for (const auto& path : inputs) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        try {
            checkUpdateFile(bytes);
        } catch (const CheckFailed& failed) {
            ADD_FAILURE() << path.filename() << ": " << failed.what();
        }
    }
}

TEST(FuzzInputs, SeedCorpusPassesEveryCheck)
{
    const auto inputs = inputsIn("corpus");
    EXPECT_FALSE(inputs.empty());
    checkEvery(inputs);
}

TEST(FuzzInputs, EveryInputThatOnceBrokeACheckPassesNow)
{
    checkEvery(inputsIn("regressions"));
}

} // namespace
} // namespace sus::fuzz
