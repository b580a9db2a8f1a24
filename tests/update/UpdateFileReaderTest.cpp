// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateFileReader.h"

#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace sus {
namespace {

using test::TempDir;
using test::UpdateFileBuilder;
using test::utf8Of;
using ::testing::HasSubstr;

UpdateFileBuilder spot()
{
    return UpdateFileBuilder()
        .keyBytes({0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2})
        .functionText("Spot")
        .designerText("Lab")
        .newVersion(0x12, 0x05)
        .updatableVersions({0x11, 0x00, 0x10})
        .pause(1, 0x85)
        .handshakeTail(0x4D, 0x56)
        .headerByte(112, 0xA1)
        .imageData({1, 2, 3, 4, 5});
}

TEST(UpdateFileReader, ReadsTheWholeFileAndEveryFieldThroughTheKey)
{
    TempDir dir;
    const UpdateFileBuilder file = spot();
    const UpdateImageLoad load = LoadUpdateImage(file.writeTo(dir / "spot.MVT"));
    ASSERT_TRUE(load) << load.failureReason;
    const UpdateImage& image = *load.image;
    const std::uint8_t key = 0x12;
    ASSERT_EQ(file.key(), key);

    EXPECT_EQ(image.size(), 149);
    EXPECT_TRUE(std::ranges::equal(image.storedBytes(), file.bytes()));
    EXPECT_EQ(image.keyBytes(), (KeyBytes{0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2}));
    EXPECT_EQ(image.functionText().substr(0, 5), std::string_view("Spot\0", 5));
    EXPECT_EQ(image.functionText().size(), 88u);
    EXPECT_EQ(image.designerText().size(), 10u);
    // The stored bytes are scrambled; read with the key they give back what was written.
    EXPECT_EQ(image.storedBytes()[132], 0x12 ^ key);
    EXPECT_EQ(image.newVersion(key), 0x12);
    EXPECT_EQ(image.newRevision(key), 0x05);
    EXPECT_EQ(image.headerBlock(key)[0], 0xA1);
    EXPECT_EQ(image.headerBlock(key)[20], 0x12); // offset 132 inside the block
    EXPECT_EQ(image.handshakeTail(key), (std::array<std::uint8_t, 2>{0x4D, 0x56}));
    EXPECT_EQ(image.updatableVersions(key), (std::array<std::uint8_t, 8>{0x11, 0x00, 0x10, 0, 0, 0, 0, 0}));

    // A data block past the end of the image is padded with zeros, never read beyond the bytes.
    std::array<std::uint8_t, 8> block{};
    block.fill(0xEE);
    image.copyDescrambled(update_file::kImageDataOffset + 2, block, key);
    EXPECT_EQ(block, (std::array<std::uint8_t, 8>{3, 4, 5, 0, 0, 0, 0, 0}));
    image.copyDescrambled(10'000, block, key);
    EXPECT_EQ(block, (std::array<std::uint8_t, 8>{}));
}

TEST(UpdateFileReader, LongPauseOnlyForFlagOneAndASignedLengthAboveTen)
{
    struct Case {
        std::uint8_t flag, length;
        bool longPause;
    };
    for (const Case c : {Case{1, 11, true}, Case{1, 127, true}, Case{1, 10, false}, Case{0, 50, false},
                         Case{2, 50, false}, Case{1, 200, false}, Case{1, 0x80, false}}) {
        const UpdateFileBuilder file = spot().pause(c.flag, c.length);
        const UpdateImage image(file.bytes());
        EXPECT_EQ(image.wantsLongHeaderPause(file.key()), c.longPause) << int(c.flag) << " " << int(c.length);
    }
}

TEST(UpdateFileReader, FilesShorterThanTheHeaderAreRefusedWithTheReason)
{
    TempDir dir;
    const std::vector<std::uint8_t> whole = spot().bytes();
    for (std::size_t size : {0u, 1u, 101u, 143u}) {
        const std::filesystem::path path = dir / ("short" + std::to_string(size));
        test::writeFileBytes(path, {whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)});
        const UpdateImageLoad load = LoadUpdateImage(path);
        EXPECT_FALSE(load);
        EXPECT_THAT(load.failureReason, HasSubstr(std::to_string(size) + " bytes"));
        EXPECT_THAT(load.failureReason, HasSubstr("144"));
    }
    EXPECT_THROW(UpdateImage(std::vector<std::uint8_t>(143)), std::length_error);

    const UpdateImageLoad headerOnly = LoadUpdateImage(spot().imageData({}).writeTo(dir / "header.MVT"));
    ASSERT_TRUE(headerOnly);
    EXPECT_EQ(headerOnly.image->size(), 144);
}

TEST(UpdateFileReader, PathsWithBlanksAndNonAsciiCharacters)
{
    TempDir dir;
    const std::filesystem::path path = spot().writeTo(dir / u8"Gerät Ümlaut – spot 1.MVT");
    const UpdateImageLoad load = LoadUpdateImage(utf8Of(path));
    ASSERT_TRUE(load) << load.failureReason;
    EXPECT_EQ(load.image->size(), 149);
}

TEST(UpdateFileReader, WhatIsNotAReadableFileFailsWithAReason)
{
    TempDir dir;
    EXPECT_THAT(LoadUpdateImage(dir.path()).failureReason, HasSubstr("folder"));
    EXPECT_THAT(LoadUpdateImage(dir / "gone.MVT").failureReason, HasSubstr("does not exist"));
    EXPECT_FALSE(LoadUpdateImage(std::string()));
}

TEST(UpdateFileReader, FileWithoutReadPermissionFails)
{
#ifdef _WIN32
    GTEST_SKIP() << "permissions do not stop reading here";
#else
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files whatever their permissions";
#endif
    TempDir dir;
    const std::filesystem::path path = spot().writeTo(dir / "locked.MVT");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    const UpdateImageLoad load = LoadUpdateImage(path);
    EXPECT_FALSE(load);
    EXPECT_THAT(load.failureReason, HasSubstr("cannot be opened"));
}

TEST(UpdateFileReader, AFileThatCannotBeReachedSaysWhatTheSystemSaidNotThatItIsMissing)
{
#ifdef _WIN32
    GTEST_SKIP() << "a symbolic link needs a privilege here, and a folder has no search permission";
#endif
    TempDir dir;
    // A folder on the way that resolves to itself: the system gives up on the path.
    std::filesystem::create_directory_symlink(dir / "loop", dir / "loop");
    const UpdateImageLoad looped = LoadUpdateImage(dir / "loop" / "spot.MVT");
    EXPECT_FALSE(looped);
    EXPECT_THAT(looped.failureReason, HasSubstr("cannot be reached"));
    EXPECT_THAT(looped.failureReason,
                HasSubstr(std::make_error_code(std::errc::too_many_symbolic_link_levels).message()));

#ifndef _WIN32
    if (::geteuid() == 0)
        GTEST_SKIP() << "root searches folders whatever their permissions";
    const std::filesystem::path locked = dir / "locked";
    std::filesystem::create_directory(locked);
    spot().writeTo(locked / "spot.MVT");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    const UpdateImageLoad denied = LoadUpdateImage(locked / "spot.MVT");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    EXPECT_THAT(denied.failureReason,
                HasSubstr(std::make_error_code(std::errc::permission_denied).message()));
#endif
}

TEST(UpdateFileReader, FileLargerThanTheSignedSizeCanCountIsRefusedBeforeReading)
{
    TempDir dir;
    const std::filesystem::path path = dir / "huge.MVT";
    test::writeFileBytes(path, spot().bytes());
    std::error_code error;
    std::filesystem::resize_file(path, std::uintmax_t{UpdateImage::kMaximumSize} + 1, error); // sparse
    if (error)
        GTEST_SKIP() << "this file system cannot hold a sparse 2 GiB file";
    const UpdateImageLoad load = LoadUpdateImage(path);
    EXPECT_FALSE(load);
    EXPECT_THAT(load.failureReason, HasSubstr("2147483648 bytes"));
}

} // namespace
} // namespace sus
