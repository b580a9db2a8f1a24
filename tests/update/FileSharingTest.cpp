// SPDX-License-Identifier: Apache-2.0
// Windows alone lets the opener choose how a file is shared: an update file is shared with no one
// while it is read, and one that another program holds does not open.
#include "update/ReadOnlyFile.h"
#include "update/UpdateFileReader.h"

#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

namespace sus {
namespace {

using test::TempDir;
using ::testing::HasSubstr;

std::filesystem::path updateFile(const TempDir& dir)
{
    return test::UpdateFileBuilder().imageData({1, 2, 3}).writeTo(dir / u8"Gr\u00fcn \u2713.MVT");
}

TEST(FileSharing, NoOtherOpenerReadsOrWritesTheFileWhileItIsOpen)
{
    TempDir dir;
    const std::filesystem::path path = updateFile(dir);
    {
        ReadOnlyFile file(path);
        ASSERT_TRUE(file.isOpen());
        EXPECT_FALSE(std::ifstream(path, std::ios::binary).is_open());
        EXPECT_FALSE(std::ofstream(path, std::ios::binary | std::ios::app).is_open());
        EXPECT_FALSE(ReadOnlyFile(path).isOpen());
        EXPECT_FALSE(LoadUpdateImage(path));
        EXPECT_EQ(file.size(), 147u);
    }
    // Shared again once it is closed.
    EXPECT_TRUE(std::ifstream(path, std::ios::binary).is_open());
    EXPECT_TRUE(LoadUpdateImage(path));
}

TEST(FileSharing, AFileThatAnotherProgramHoldsOpenIsNotLoaded)
{
    TempDir dir;
    const std::filesystem::path path = updateFile(dir);
    for (const std::ios::openmode mode : {std::ios::in, std::ios::out | std::ios::app}) {
        std::fstream held(path, mode | std::ios::binary);
        ASSERT_TRUE(held.is_open());
        const UpdateImageLoad load = LoadUpdateImage(path);
        EXPECT_FALSE(load);
        EXPECT_THAT(load.failureReason, HasSubstr("in use"));
    }
    EXPECT_TRUE(LoadUpdateImage(path));
}

} // namespace
} // namespace sus
