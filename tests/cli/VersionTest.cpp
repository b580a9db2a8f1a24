// SPDX-License-Identifier: Apache-2.0
#include "tests/cli/MvtRun.h"

#include <gtest/gtest.h>

namespace sus::test {
namespace {

// "<program> <version>", then in brackets the commit, or that the build knows none, on one line; then
// the licence.
void expectVersionLine(const MvtResult& run, const std::string& program)
{
    EXPECT_EQ(run.exitCode, 0) << program << ": " << run.err;
    const std::size_t end = run.out.find('\n');
    ASSERT_NE(end, std::string::npos) << run.out;
    const std::string first = run.out.substr(0, end);
    EXPECT_EQ(first.rfind(program + " " SUS_PROJECT_VERSION, 0), 0u) << run.out;
    const std::string rest = first.substr(program.size() + 1 + std::string(SUS_PROJECT_VERSION).size());
    EXPECT_TRUE(rest == " (not from a commit)" || rest.rfind(" (commit ", 0) == 0) << run.out;
    EXPECT_EQ(run.out.substr(end + 1), "Licensed under the Apache License, Version 2.0.\n");
    EXPECT_EQ(run.err, "");
}

TEST(Version, MvtPrintsItsVersion)
{
    expectVersionLine(runMvt({QStringLiteral("--version")}), "mvt");
}

TEST(Version, TheWindowProgramsPrintItWithoutADisplay)
{
    // A window program that made its application object first would abort here, with no display to
    // connect to.
    QProcessEnvironment noDisplay;
    noDisplay.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    noDisplay.insert(QStringLiteral("DISPLAY"), QString());
    noDisplay.insert(QStringLiteral("WAYLAND_DISPLAY"), QString());
    expectVersionLine(
        runProgram(QStringLiteral(SUS_WINDOW_PROGRAM_PATH), {QStringLiteral("--version")}, noDisplay),
        "software-update-system");
    expectVersionLine(
        runProgram(QStringLiteral(SUS_DEMO_PROGRAM_PATH), {QStringLiteral("--version")}, noDisplay),
        "software-update-system-demo");
    const MvtResult help =
        runProgram(QStringLiteral(SUS_DEMO_PROGRAM_PATH), {QStringLiteral("--help")}, noDisplay);
    EXPECT_EQ(help.exitCode, 0) << help.err;
    EXPECT_EQ(help.out.rfind("Usage: software-update-system-demo [--help | --version]", 0), 0u) << help.out;
}

} // namespace
} // namespace sus::test
