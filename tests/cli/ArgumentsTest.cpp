// SPDX-License-Identifier: Apache-2.0
#include "tests/cli/MvtRun.h"

#include <gtest/gtest.h>

namespace sus::test {
namespace {

#define kExample SUS_EXAMPLES_DIR "/"

TEST(MvtArguments, WhatCannotBeUsedEndsWithStatus2AndAClearMessage)
{
    const std::pair<QStringList, std::string> cases[] = {
        {{}, "Usage: mvt <command>"},
        {{"flash"}, "unknown command \"flash\""},
        {{"info"}, "Name one update file."},
        {{"info", "a.MVT", "b.MVT"}, "Name one update file."},
        {{"send", "--simulate", "--password", "452DB8"}, "Name at least one update file."},
        {{"send", "--simulate", "--port", "ttyUSB0", "a.MVT"}, "--simulate and --port exclude each other"},
        {{"send", "--simulate", "--capture", "/no/such/folder/x.vcd", "a.MVT"},
         "The capture cannot be written"},
        {{"send", "--simulate", "--pasword", "452DB8", "a.MVT"}, "Unknown option 'pasword'."},
        {{"send", "--simulate", "a.MVT", "--password"}, "Missing value after '--password'."},
        {{"dmx", "--simulate", "--frames", "3", "--set", "1=256"},
         "Level \"256\" in \"1=256\" is not a number from 0 to 255."},
        {{"dmx", "--simulate", "--frames", "3", "--set", "513=1"},
         "Channel \"513\" in \"513=1\" is not a number from 1 to 512."},
        {{"dmx", "--simulate", "--frames", "3", "--set", "1:5"}, "\"1:5\" is not of the form CH=LEVEL."},
        {{"dmx", "--simulate", "--frames", "3", "--set", "+1=5"}, "Channel \"+1\""},
        {{"dmx", "--simulate", "--frames", "3", "--address", "0"},
         "Address \"0\" is not a number from 1 to 511."},
        {{"dmx", "--simulate", "--frames", "3", "--address", "500", "--set", "14=1"},
         "Channel 14 at address 500 would be DMX channel 513; frames carry channels 1 to 512."},
        {{"dmx", "--simulate", "--frames", "0"}, "Frames \"0\" is not a number of at least 1."},
        {{"dmx", "--simulate"}, "--simulate needs --frames N, or --realtime"},
        {{"dmx", "--simulate", "--frames", "3", "extra"}, "Unexpected argument \"extra\"."},
        {{"ports", "extra"}, "Unexpected argument \"extra\"."},
        {{"send", "--realtime", "--password", "452DB8", "a.MVT"},
         "--realtime paces the simulated controller"},
        {{"dmx", "--realtime", "--frames", "1"}, "--realtime paces the simulated controller"},
        {{"check"}, "Name at least one update file."},
        {{"listen"}, "Name either a port (--port) or a recording (--input)."},
        {{"listen", "--input", "x", "--expect"}, "--expect needs the update files"},
        {{"listen", "--input", "x", "--expect", "--password", "452DB8", "/no/such.MVT"},
         "The expected files cannot be sent"},
        // As for send, one password is every file's: the wash file's is another.
        {{"listen", "--input", "x", "--expect", "--password", "452DB8", kExample "Demo Spot 575.MVT",
          kExample "Demo Wash LED.MVT"},
         "The expected files cannot be sent"},
        {{"listen", "--input", "x", "--expect", "--password", "452DB8", "--password", "004DE8", "--password",
          "6688AA", kExample "Demo Spot 575.MVT", kExample "Demo Wash LED.MVT"},
         "Give --password once for every file, or once for each file in the files' order (2 file(s), 3 "
         "password(s))."},
    };
    for (const auto& [arguments, message] : cases) {
        const MvtResult run = runMvt(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, "") << arguments.join(' ').toStdString();
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
}

TEST(MvtArguments, EveryCommandHasItsHelp)
{
    for (const char* command : {"info", "check", "send", "dmx", "ports", "listen"}) {
        const MvtResult run = runMvt({QString::fromLatin1(command), QStringLiteral("--help")});
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_EQ(run.out.rfind(std::string("Usage: mvt ") + command + " [options]", 0), 0u) << run.out;
    }
    const MvtResult run = runMvt({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Commands:"), std::string::npos);
}

TEST(MvtArguments, SetTakesBlanksAfterTheCommas)
{
    const MvtResult run =
        runMvt({QStringLiteral("dmx"), QStringLiteral("--simulate"), QStringLiteral("--frames"),
                QStringLiteral("1"), QStringLiteral("--set"), QStringLiteral("1=10, 2=20")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
}

TEST(MvtPorts, TheSimulatedControllerIsListedAndMarked)
{
    const MvtResult run = runMvt({QStringLiteral("ports"), QStringLiteral("--simulate")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "simulated  10C4:FF01  controller\n");
}

} // namespace
} // namespace sus::test
