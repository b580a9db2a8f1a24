// SPDX-License-Identifier: Apache-2.0
#include "receive/UpdateReceiver.h"
#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <gtest/gtest.h>

#include <csignal>

namespace sus::test {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kFrameBytes = 1 + 1 + 512; // the break's zero, the start code, the levels

TEST(MvtRealTime, DmxFramesGoOutOnANamedPortAndTheCaptureRecordsThem)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slaveName().empty());
    TempDir dir;
    MvtProcess mvt({QStringLiteral("dmx"), QStringLiteral("--port"), QString::fromStdString(pty.slaveName()),
                    QStringLiteral("--frames"), QStringLiteral("3"), QStringLiteral("--set"),
                    QStringLiteral("1=200,512=3"), QStringLiteral("--capture"),
                    pathArgument(dir / "port.log")});
    const std::vector<std::uint8_t> bytes = pty.read();
    const MvtResult run = mvt.finish();
    EXPECT_EQ(run.exitCode, 0) << run.err;

    std::vector<std::uint8_t> frame(kFrameBytes, 0);
    frame[2] = 200;
    frame[kFrameBytes - 1] = 3;
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), frame.begin(), frame.end());
    EXPECT_EQ(bytes, expected);

    const FixtureLog heard = heardFromWireLog(dir / "port.log");
    const auto frames = heard.dmxFrames();
    ASSERT_EQ(frames.size(), 3u);
    for (const WireFrame* got : frames)
        EXPECT_EQ(got->bytes, std::vector<std::uint8_t>(frame.begin() + 1, frame.end()));
}

TEST(MvtRealTime, CtrlCStopsAnUpdateRunWithAbortUpdateAndStatus130)
{
    TempDir dir;
    const auto log = dir / "stopped.log";
    MvtProcess mvt({QStringLiteral("send"), QStringLiteral("--simulate"), QStringLiteral("--realtime"),
                    QStringLiteral("--password"), QStringLiteral("452DB8"), QStringLiteral("--capture"),
                    pathArgument(log), pathArgument(examplePath("Demo Spot 575.MVT"))});
    ASSERT_TRUE(mvt.waitForError("Controller has been found!", 10s));
    ::kill(static_cast<pid_t>(mvt.processId()), SIGINT);
    const MvtResult run = mvt.finish();
    EXPECT_EQ(run.exitCode, 130) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("mvt send: Stopped by Ctrl+C "), std::string::npos) << run.err;
    EXPECT_NE(
        run.err.find(". AbortUpdate went out.\nTo send the files: mvt send --simulate --realtime --password "
                     "\u2026 --capture " +
                     utf8Of(log) + " '" + utf8Of(examplePath("Demo Spot 575.MVT")) + "'\n"),
        std::string::npos)
        << run.err;

    const UpdateReception got = UpdateReception::from(heardFromWireLog(log));
    EXPECT_TRUE(got.aborted);
    EXPECT_FALSE(got.finished);
    EXPECT_EQ(got.badPackets, 0u);
}

TEST(MvtRealTime, CtrlCEndsDmxOutputWithoutFramesCutShort)
{
    TempDir dir;
    const auto log = dir / "dmx.log";
    MvtProcess mvt({QStringLiteral("dmx"), QStringLiteral("--simulate"), QStringLiteral("--realtime"),
                    QStringLiteral("--set"), QStringLiteral("5=50"), QStringLiteral("--capture"),
                    pathArgument(log)});
    ASSERT_TRUE(mvt.waitForError("Controller has been found!", 10s));
    ::kill(static_cast<pid_t>(mvt.processId()), SIGINT);
    const MvtResult run = mvt.finish();
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const FixtureLog heard = heardFromWireLog(log);
    EXPECT_EQ(heard.framingErrors, 0u);
    EXPECT_EQ(heard.dmxFrames().size(), heard.frames.size());
    for (const WireFrame* frame : heard.dmxFrames()) {
        ASSERT_EQ(frame->bytes.size(), 513u);
        EXPECT_EQ(frame->bytes[5], 50);
    }
}

} // namespace
} // namespace sus::test
