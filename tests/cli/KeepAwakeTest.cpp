// SPDX-License-Identifier: Apache-2.0
// mvt send keeps the computer awake while it runs, over a private system bus with python3-dbusmock's
// logind on it, and goes on with one line said where nothing can keep it awake.
#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/link/machine/PrivateSystemBus.h"
#include "tests/link/serial/CoreApplication.h"
#include "tests/support/UpdateFileBuilder.h"

#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace sus::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kMaySleep = "mvt send: The computer may go to sleep during the update";

QStringList realTimeRun()
{
    return {QStringLiteral("send"),
            QStringLiteral("--simulate"),
            QStringLiteral("--realtime"),
            QStringLiteral("--verbose"),
            QStringLiteral("--password"),
            QStringLiteral("452DB8"),
            QString::fromStdString(utf8Of(examplePath("Demo Spot 575.MVT")))};
}

// Waits until `holds` is true, as logind's list changes on its own time.
bool comesTrue(const std::function<bool()>& holds)
{
    const QDeadlineTimer deadline(10'000);
    while (!holds()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

std::size_t timesIn(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(MvtKeepAwake, TheInhibitorIsListedWhileARunGoesOnAndGoneOnceItEnded)
{
    ensureCoreApplication();
    PrivateSystemBus bus;
    ASSERT_TRUE(bus.failure().isEmpty() && bus.startLogind()) << bus.failure().toStdString();
    MvtProcess mvt(realTimeRun(), bus.environment());
    ASSERT_TRUE(mvt.waitForError("mvt send: The computer is kept awake until the run ends.", 10s));
    EXPECT_EQ(bus.inhibitors(), (std::vector<PrivateSystemBus::Inhibitor>{
                                    {"sleep:idle", "mvt", "Updating fixture firmware", "block"}}));
    ::kill(static_cast<pid_t>(mvt.processId()), SIGINT);
    const MvtResult run = mvt.finish();
    EXPECT_EQ(run.exitCode, 130) << run.err;
    EXPECT_TRUE(comesTrue([&] { return bus.inhibitors().empty(); }));
    EXPECT_EQ(timesIn(run.err, kMaySleep), 0u) << run.err;
}

TEST(MvtKeepAwake, WithNothingToKeepItAwakeTheRunGoesOnAndSaysSoOnce)
{
    ensureCoreApplication();
    PrivateSystemBus bus; // no logind on it
    ASSERT_TRUE(bus.failure().isEmpty()) << bus.failure().toStdString();
    MvtProcess mvt(realTimeRun(), bus.environment());
    ASSERT_TRUE(mvt.waitForError(std::string(kMaySleep) + " and cut the controller off; it could not be kept "
                                                          "awake: logind refused (",
                                 10s));
    // Long enough for the first wake-up frames, which come 100 ms apart.
    QThread::msleep(500);
    ::kill(static_cast<pid_t>(mvt.processId()), SIGINT);
    const MvtResult run = mvt.finish();
    EXPECT_EQ(run.exitCode, 130) << run.err;
    EXPECT_EQ(timesIn(run.err, kMaySleep), 1u) << run.err;
    EXPECT_NE(run.err.find("wake-up frames out); no file was sent. AbortUpdate went out.\n"),
              std::string::npos)
        << run.err;
}

} // namespace
} // namespace sus::test
