// SPDX-License-Identifier: Apache-2.0
#include "update/FileInformation.h"

#include "tests/support/UpdateFileBuilder.h"

#include <gtest/gtest.h>

namespace sus {
namespace {

using test::UpdateFileBuilder;

const std::string kBlanks11 = "           ";

InformationLines linesOf(const UpdateFileBuilder& file)
{
    return fileInformationLines(UpdateImage(file.bytes()));
}

UpdateFileBuilder spot575()
{
    return UpdateFileBuilder()
        .keyBytes({0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2})
        .functionText("Spot 575 \x96 Gobo")
        .designerText("M. Sch\xF6n")
        .newVersion(0x12, 0x05)
        .updatableVersions({0x11, 0x00, 0x10});
}

TEST(FileInformation, FourLinesOfTheWorkedExample)
{
    const InformationLines lines = linesOf(spot575());
    EXPECT_EQ(lines[0], "Function:");
    EXPECT_EQ(lines[1], "  Spot 575 \x96 Gobo"); // Windows-1252 bytes as stored
    EXPECT_EQ(lines[2], "New Version: V1.2.05" + kBlanks11 + "Update Version: V12,V11,V10");
    EXPECT_EQ(lines[3], "Design By:  M. Sch\xF6n");
}

TEST(FileInformation, VersionListRules)
{
    const std::array<std::uint8_t, 8> none{};
    EXPECT_EQ(versionList(0x12, none), "V12");
    EXPECT_EQ(versionList(0x0A, {0x01, 0, 0, 0xB2, 0, 0, 0, 0x03}), "V0A,V01,VB2,V03");
    EXPECT_EQ(versionList(0x12, {0x11, 0x10, 0x09, 0x08, 0x07, 0x06, 0x05, 0xFF}), "All Version can update!");
    EXPECT_EQ(versionList(0x12, {0xFF, 0x11, 0, 0, 0, 0, 0, 0}), "All Version can update!");

    const InformationLines all = linesOf(spot575().updatableVersions({0x11, 0x00, 0x10, 0xFF}));
    EXPECT_EQ(all[2], "New Version: V1.2.05" + kBlanks11 + "Update Version: All Version can update!");
}

TEST(FileInformation, VersionDigitsAreUpperCaseHexOfTheDescrambledBytes)
{
    // A different key: the panel descrambles with the file's own key.
    const UpdateFileBuilder beam =
        UpdateFileBuilder().keyBytes({0x01, 0x23, 0x45, 0x67, 0x89, 0xAB}).newVersion(0xAB, 0x0F);
    ASSERT_EQ(beam.key(), 0xBE);
    EXPECT_EQ(linesOf(beam)[2], "New Version: VA.B.0F" + kBlanks11 + "Update Version: VAB");
}

TEST(FileInformation, AZeroByteEndsTheShownText)
{
    const InformationLines lines = linesOf(
        spot575().functionText(std::string_view("\0Hidden", 7)).designerText(std::string_view("AB\0CD", 5)));
    EXPECT_EQ(lines[1], "  ");
    EXPECT_EQ(lines[3], "Design By:  AB");
}

TEST(FileInformation, ControlBytesInStoredTextsShowAsBlanksSoThePanelKeepsFourLines)
{
    const InformationLines lines = linesOf(
        spot575().functionText("Spot\r\n575\x1b[2J").designerText(std::string_view("M.\nS\x7f\t", 6)));
    EXPECT_EQ(lines[1], "  Spot  575 [2J");
    EXPECT_EQ(lines[3], "Design By:  M. S  ");
}

TEST(FileInformation, FullTextsAreShownWholeAndUntrimmed)
{
    const std::string function = std::string(80, 'F') + "  end   "; // 88 bytes, trailing blanks
    const InformationLines lines = linesOf(spot575().functionText(function).designerText("0123456789"));
    EXPECT_EQ(lines[1], "  " + function);
    EXPECT_EQ(lines[3], "Design By:  0123456789");
}

} // namespace
} // namespace sus
