// SPDX-License-Identifier: Apache-2.0
// mvt on a port the user named that cannot be opened: the reason is told, and what to do.
#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/support/PseudoTerminal.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace sus::test {
namespace {

// What `mvt send` and `mvt dmx` each print on standard error when `port` cannot be opened.
std::string notOpenedText(const std::string& port)
{
    return "The port \"" + port + "\" could not be opened as the controller. Nothing was sent.\n";
}

// Runs `mvt send` and `mvt dmx` on `port` and returns what each printed, after checking that both
// refused it with status 5 and nothing on standard output.
std::vector<std::string> refusals(const std::string& port)
{
    const QString name = QString::fromStdString(port);
    const QStringList commands[] = {
        {QStringLiteral("send"), QStringLiteral("--port"), name, QStringLiteral("--password"),
         QStringLiteral("452DB8"), QString::fromStdString(utf8Of(examplePath("Demo Spot 575.MVT")))},
        {QStringLiteral("dmx"), QStringLiteral("--port"), name, QStringLiteral("--frames"),
         QStringLiteral("1")},
    };
    std::vector<std::string> told;
    for (const QStringList& command : commands) {
        const MvtResult run = runMvt(command);
        EXPECT_EQ(run.exitCode, 5) << command.front().toStdString();
        EXPECT_EQ(run.out, "") << command.front().toStdString();
        // Named by its command, as every message of mvt is.
        const std::string prefix = "mvt " + command.front().toStdString() + ": ";
        EXPECT_EQ(run.err.rfind(prefix, 0), 0u) << run.err;
        told.push_back(run.err.substr(std::min(prefix.size(), run.err.size())));
    }
    return told;
}

TEST(MvtNamedPort, APortThatIsNotThereIsUnpluggedAndANonPortGetsTheSystemsWords)
{
    TempDir dir;
    const std::string missing = utf8Of(dir / "ttyNone");
    for (const std::string& told : refusals(missing))
        EXPECT_EQ(told, notOpenedText(missing) + "The controller was unplugged. Plug it in again.\n");

    const std::string plain = utf8Of(dir / "not-a-port");
    std::ofstream(plain) << "x";
    for (const std::string& told : refusals(plain)) {
        // The operating system's words, whatever the language: one line of its own.
        ASSERT_EQ(told.rfind(notOpenedText(plain), 0), 0u) << told;
        const std::string reason = told.substr(notOpenedText(plain).size());
        EXPECT_GT(reason.size(), 1u);
        EXPECT_EQ(reason.find('\n'), reason.size() - 1) << told;
    }
}

TEST(MvtNamedPort, APortAnotherMvtHoldsIsBusy)
{
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slaveName().empty());
    MvtProcess holder(
        {QStringLiteral("dmx"), QStringLiteral("--port"), QString::fromStdString(pty.slaveName())});
    // Frames on the line: the first mvt has the port open. Its frames fill the pty's buffer only
    // after several seconds, long after the refusals.
    bool sending = false;
    for (int second = 0; second < 10 && !sending; ++second)
        sending = !pty.read(1).empty();
    ASSERT_TRUE(sending);

    for (const std::string& told : refusals(pty.slaveName()))
        EXPECT_EQ(told, notOpenedText(pty.slaveName()) +
                            "Another program is using the port. Close it, then try again.\n");

    ::kill(static_cast<pid_t>(holder.processId()), SIGINT);
    EXPECT_EQ(holder.finish().exitCode, 0);
}

TEST(MvtNamedPort, APortThisUserMayNotOpenNamesTheFix)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root passes every permission check";
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slaveName().empty());
    ASSERT_EQ(::chmod(pty.slaveName().c_str(), 0), 0);
    for (const std::string& told : refusals(pty.slaveName()))
        EXPECT_EQ(told,
                  notOpenedText(pty.slaveName()) +
                      "This user may not open the port. Install the udev rule from packaging/linux/, or "
                      "add the user to the dialout group and log in again.\n");
}

} // namespace
} // namespace sus::test
