// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateFiles.h"

#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sus {
namespace {

using test::UpdateFileBuilder;
using test::utf8Of;

class PrepareUpdateFile : public ::testing::Test {
protected:
    std::string write(const UpdateFileBuilder& file, const char* name)
    {
        return utf8Of(file.writeTo(dir / name));
    }
    PrepareResult prepare(const std::string& path, const std::string& password)
    {
        files.setCurrentFilePath(path);
        files.setTypedPassword(password);
        return files.PrepareUpdateFile();
    }

    test::TempDir dir;
    UpdateFiles files;
    // Password "452DB8", key 0x12.
    UpdateFileBuilder spot =
        UpdateFileBuilder().keyBytes({0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2}).imageData({9});
    // Password "6688AA", key 0xBE.
    UpdateFileBuilder beam = UpdateFileBuilder().keyBytes({0x01, 0x23, 0x45, 0x67, 0x89, 0xAB});
};

TEST_F(PrepareUpdateFile, StartsEmptyWithKeyZero)
{
    EXPECT_TRUE(files.updateImage().empty());
    EXPECT_EQ(files.imageKey(), 0);
}

TEST_F(PrepareUpdateFile, RightPasswordLoadsTheImageAndSetsTheKey)
{
    const std::string path = write(spot, "spot.MVT");
    EXPECT_EQ(prepare(path, "452DB8"), PrepareResult::Ready);
    EXPECT_EQ(static_cast<int>(PrepareResult::Ready), 0);
    EXPECT_EQ(files.imageKey(), 0x12);
    EXPECT_EQ(files.updateImage().size(), 145);
    EXPECT_EQ(files.updateImage().descrambledAt(144, files.imageKey()), 9);
}

TEST_F(PrepareUpdateFile, PasswordMustMatchExactlyAndAMismatchKeepsTheKey)
{
    const std::string spotPath = write(spot, "spot.MVT");
    ASSERT_EQ(prepare(write(beam, "beam.MVT"), "6688AA"), PrepareResult::Ready);

    // Case, blanks and length all count; the file is loaded all the same, the key is not changed.
    for (const char* typed : {"452db8", " 452DB8", "452DB8 ", "452DB", "452DB80", "", "6688AA"}) {
        EXPECT_EQ(prepare(spotPath, typed), PrepareResult::PasswordWrong) << '"' << typed << '"';
        EXPECT_EQ(files.updateImage().size(), 145);
        EXPECT_EQ(files.imageKey(), 0xBE);
    }
    EXPECT_EQ(static_cast<int>(PrepareResult::PasswordWrong), 1);
}

TEST_F(PrepareUpdateFile, FilesWithTheSameKeyBytesShareThePassword)
{
    const std::string other = write(UpdateFileBuilder(spot).functionText("Other").imageData({}), "other.MVT");
    EXPECT_EQ(prepare(other, "452DB8"), PrepareResult::Ready);
}

TEST_F(PrepareUpdateFile, UnreadableFileKeepsImageAndKeyAndSaysWhy)
{
    ASSERT_EQ(prepare(write(spot, "spot.MVT"), "452DB8"), PrepareResult::Ready);
    test::writeFileBytes(dir / "short.MVT", std::vector<std::uint8_t>(100, 0));

    for (const std::filesystem::path& path : {dir / "missing.MVT", dir.path(), dir / "short.MVT"}) {
        EXPECT_EQ(prepare(utf8Of(path), "452DB8"), PrepareResult::CannotOpen) << path;
        EXPECT_FALSE(files.failureReason().empty());
        EXPECT_EQ(files.updateImage().size(), 145);
        EXPECT_EQ(files.imageKey(), 0x12);
    }
    EXPECT_EQ(static_cast<int>(PrepareResult::CannotOpen), 2);
    EXPECT_THAT(files.failureReason(), ::testing::HasSubstr("100 bytes"));

    // A released image is never read outside: a run that still ticks sees zeros.
    files.releaseUpdateImage();
    EXPECT_TRUE(files.updateImage().empty());
    EXPECT_EQ(files.updateImage().headerBlock(files.imageKey()), (std::array<std::uint8_t, 32>{}));
}

} // namespace
} // namespace sus
