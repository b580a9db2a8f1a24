// SPDX-License-Identifier: Apache-2.0
#include "tests/cli/MvtRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace sus::test {
namespace {

QString example(const char* name)
{
    return QStringLiteral(SUS_EXAMPLES_DIR "/") + QString::fromUtf8(name);
}

TEST(MvtInfo, PrintsThePanelLinesOfTheDemoFilesInUtf8)
{
    const std::pair<const char*, std::string> cases[] = {
        {"Demo Spot 575.MVT", "Function:\n"
                              "  Spot 575 \u2013 Pan/Tilt 16 bit, Gobo wheel, Prism\n"
                              "New Version: V1.2.05           Update Version: V12,V11,V10\n"
                              "Design By:  M. Sch\u00f6n\n"},
        {"Demo Wash LED.MVT", "Function:\n"
                              "  Wash LED RGBW \u2013 Zoom 8\u00b0\u201345\u00b0, Dimmer curve\n"
                              "New Version: V2.0.01           Update Version: All Version can update!\n"
                              "Design By:  Lab 2\n"},
        {"D\u00e9mo Beam 7R.MVT", "Function:\n"
                                  "  Beam 7R, header only (no image data)\n"
                                  "New Version: VA.B.10           Update Version: VAB\n"
                                  "Design By:  Lab 3\n"},
    };
    for (const auto& [name, expected] : cases) {
        const MvtResult run = runMvt({QStringLiteral("info"), example(name)});
        EXPECT_EQ(run.exitCode, 0) << name;
        EXPECT_EQ(run.out, expected) << name;
        EXPECT_EQ(run.err, "") << name;
    }
}

TEST(MvtInfo, AZeroByteEndsALineAndEveryOtherByteIsShownAsItsCharacter)
{
    TempDir dir;
    const auto path = UpdateFileBuilder()
                          .functionText(std::string_view("Dimmer \x80 5\0hidden", 16))
                          .designerText(std::string_view("\xC6\0x", 3))
                          .writeTo(dir / "zero.MVT");
    const MvtResult run = runMvt({QStringLiteral("info"), QString::fromStdString(utf8Of(path))});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Function:\n"
                       "  Dimmer \u20ac 5\n"
                       "New Version: V0.0.00           Update Version: V00\n"
                       "Design By:  \u00c6\n");
}

TEST(MvtInfo, AFileThatCannotBeShownGivesAReasonOnStandardErrorAndNothingElse)
{
    TempDir dir;
    writeFileBytes(dir / "short.MVT", std::vector<std::uint8_t>(143, 0x41));
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {dir / "missing.MVT", "The file does not exist."},
        {dir / "short.MVT", "The file holds 143 bytes; an update file holds at least 144 (its header)."},
        {dir.path(), "This is a folder, not a file."},
    };
    for (const auto& [path, reason] : cases) {
        const MvtResult run = runMvt({QStringLiteral("info"), QString::fromStdString(utf8Of(path))});
        EXPECT_EQ(run.exitCode, 4) << reason;
        EXPECT_EQ(run.out, "") << reason;
        EXPECT_EQ(run.err, "mvt info: Can not open the File!\n" + utf8Of(path) + "\n" + reason + "\n");
    }
}

} // namespace
} // namespace sus::test
