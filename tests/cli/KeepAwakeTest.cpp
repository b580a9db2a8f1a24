// SPDX-License-Identifier: Apache-2.0
// mvt send keeps the computer awake while it runs, over a private system bus with python3-dbusmock's
// logind on it, and goes on with one line said where nothing can keep it awake.
#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/link/machine/PrivateSystemBus.h"
#include "tests/link/serial/CoreApplication.h"
#include "tests/support/UpdateFileBuilder.h"

#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

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

std::size_t timesIn(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(MvtKeepAwake, AnInhibitorIsListedWhileARunGoesOnOrTheRunGoesOnSayingOnceThatNoneIsHeld)
{
    ensureCoreApplication();
    struct Case {
        bool logind;
        std::string said;
        std::size_t maySleepLines;
        std::vector<PrivateSystemBus::Inhibitor> listed;
    };
    const Case cases[] = {
        {true,
         "mvt send: The computer is kept awake until the run ends.",
         0,
         {{"sleep:idle", "mvt", "Updating fixture firmware", "block"}}},
        {false,
         std::string(kMaySleep) + " and cut the controller off; it could not be kept awake: logind refused (",
         1,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logind ? "logind" : "no logind");
        PrivateSystemBus bus;
        ASSERT_TRUE(bus.failure().isEmpty() && (!c.logind || bus.startLogind()))
            << bus.failure().toStdString();
        MvtProcess mvt(realTimeRun(), bus.environment());
        ASSERT_TRUE(mvt.waitForError(c.said, 10s));
        EXPECT_EQ(bus.inhibitors(), c.listed);
        // Long enough for the first wake-up frames, which come 100 ms apart.
        QThread::msleep(500);
        ::kill(static_cast<pid_t>(mvt.processId()), SIGINT);
        const MvtResult run = mvt.finish();
        EXPECT_EQ(run.exitCode, 130) << run.err;
        EXPECT_EQ(timesIn(run.err, kMaySleep), c.maySleepLines) << run.err;
        EXPECT_NE(run.err.find("wake-up frames out); no file was sent. AbortUpdate went out.\n"),
                  std::string::npos)
            << run.err;
        EXPECT_TRUE(QTest::qWaitFor([&] { return bus.inhibitors().empty(); }, 10'000));
    }
}

} // namespace
} // namespace sus::test
