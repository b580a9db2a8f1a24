#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"
#include "update/UpdateReceiver.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace sus::test {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kFrameBytes = 1 + 1 + 512; // the break's zero, the start code, the levels

QString q(const std::filesystem::path& path)
{
    return QString::fromStdString(utf8Of(path));
}

// A pseudo-terminal standing in for the controller's port: mvt opens the slave by name, the test
// reads at the master what was written.
class Pty {
public:
    Pty()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slaveName_ = ::ptsname(master_);
        // Held open, so the master does not hang up between mvt's opens of the port.
        if (!slaveName_.empty())
            slave_ = ::open(slaveName_.c_str(), O_RDWR | O_NOCTTY);
    }
    ~Pty()
    {
        if (slave_ >= 0)
            ::close(slave_);
        if (master_ >= 0)
            ::close(master_);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    QString slaveName() const { return QString::fromStdString(slaveName_); }

    // Everything that arrives until nothing more comes for a second.
    std::vector<std::uint8_t> readAll()
    {
        std::vector<std::uint8_t> bytes;
        pollfd ready{master_, POLLIN, 0};
        while (::poll(&ready, 1, 1000) > 0) {
            std::array<std::uint8_t, 4096> chunk{};
            const ssize_t got = ::read(master_, chunk.data(), chunk.size());
            if (got <= 0)
                break;
            bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
        }
        return bytes;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
};

TEST(MvtRealTime, DmxFramesGoOutOnANamedPortAndTheCaptureRecordsThem)
{
    Pty pty;
    ASSERT_FALSE(pty.slaveName().isEmpty());
    TempDir dir;
    MvtProcess mvt({QStringLiteral("dmx"), QStringLiteral("--port"), pty.slaveName(),
                    QStringLiteral("--frames"), QStringLiteral("3"), QStringLiteral("--set"),
                    QStringLiteral("1=200,512=3"), QStringLiteral("--capture"), q(dir / "port.log")});
    const std::vector<std::uint8_t> bytes = pty.readAll();
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
                    q(log), q(examplePath("Demo Spot 575.MVT"))});
    ASSERT_TRUE(mvt.waitForError("Controller has been found!", 10s));
    ::kill(static_cast<pid_t>(mvt.processId()), SIGINT);
    const MvtResult run = mvt.finish();
    EXPECT_EQ(run.exitCode, 130) << run.err;
    EXPECT_EQ(run.out, "");

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
                    QStringLiteral("--set"), QStringLiteral("5=50"), QStringLiteral("--capture"), q(log)});
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
