// SPDX-License-Identifier: Apache-2.0
#include "tests/support/TempDir.h"

#include <random>
#include <string>
#include <system_error>

namespace sus::test {

TempDir::TempDir()
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("sus-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(path_))
            return;
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
}

} // namespace sus::test
