// SPDX-License-Identifier: Apache-2.0
#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/support/Milliseconds.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <gtest/gtest.h>

namespace sus::test {
namespace {

TEST(MvtDmx, SendsTheAskedFramesSixtyMillisecondsApartWithTheLevelsAtTheFixtureAddress)
{
    TempDir dir;
    const auto log = dir / "dmx.log";
    const MvtResult run =
        runMvt({QStringLiteral("dmx"), QStringLiteral("--simulate"), QStringLiteral("--frames"),
                QStringLiteral("5"), QStringLiteral("--address"), QStringLiteral("10"),
                QStringLiteral("--set"), QStringLiteral("1=255,3=7"), QStringLiteral("--set"),
                QStringLiteral("503=9"), QStringLiteral("--capture"), QString::fromStdString(utf8Of(log))});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");

    const FixtureLog heard = heardFromWireLog(log);
    const auto frames = heard.dmxFrames();
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(heard.frames.size(), 5u);
    EXPECT_EQ(heard.strayCharacters, 0u);
    EXPECT_EQ(heard.framingErrors, 0u);
    std::vector<std::uint8_t> expected(513, 0);
    expected[10] = 255;
    expected[12] = 7;
    expected[512] = 9;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        // The link opens at 0; the first frame comes one period later.
        EXPECT_EQ(frames[i]->breakStartNs, static_cast<std::int64_t>(i + 1) * 60 * kMs);
        EXPECT_EQ(frames[i]->bytes, expected) << i;
    }
}

} // namespace
} // namespace sus::test
