// SPDX-License-Identifier: Apache-2.0
#include "tests/cli/MvtRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <gtest/gtest.h>

namespace sus::test {
namespace {

#define kExample SUS_EXAMPLES_DIR "/"

// One row per fault and command that meets it: a fault gives the same status in every command, and
// its message says what to do next. Arguments that cannot be used end with status 2 and nothing on
// standard output.
TEST(MvtArguments, EachFaultEndsWithOneStatusInEveryCommandAndAMessageWithTheNextStep)
{
    TempDir dir;
    const QString missing = QString::fromStdString(utf8Of(dir / "missing.MVT"));
    // A picture picked by mistake: long enough for a header, its texts not text.
    std::vector<std::uint8_t> picture(300, 0x1A);
    const QString png = QString::fromStdString(utf8Of(dir / "photo.png"));
    writeFileBytes(dir / "photo.png", picture);
    const QString unreachable = QStringLiteral("/no/such/folder/x.vcd");
    const QString spot = QStringLiteral(kExample "Demo Spot 575.MVT");
    const QString wash = QStringLiteral(kExample "Demo Wash LED.MVT");
    const std::string unlike =
        ": This does not look like an update file: its name does not end in .MVT, and "
        "its header texts hold characters that are not printable. Check that it is the "
        "file meant.";
    const std::string cannotWrite =
        "cannot be written to \"/no/such/folder/x.vcd\": No such file or directory";
    struct Case {
        QStringList arguments;
        int status;
        std::string message; // in what the command printed
    };
    const Case cases[] = {
        {{}, 2, "Usage: mvt <command>"},
        {{"flash"},
         2,
         "unknown command \"flash\". The commands are check, dmx, info, listen, ports, send.\n"},
        {{"sned", "a.MVT"}, 2, "unknown command \"sned\". Did you mean send?\nTry 'mvt --help'.\n"},
        {{"info"}, 2, "Name one update file."},
        {{"info", "a.MVT", "b.MVT"}, 2, "Name one update file."},
        {{"send", "--simulate", "--password", "452DB8"}, 2, "Name at least one update file."},
        {{"send", "--simulate", "--port", "ttyUSB0", "a.MVT"}, 2, "--simulate and --port exclude each other"},
        {{"send", "--simulate", "--pasword", "452DB8", "a.MVT"},
         2,
         "Unknown option 'pasword'. Did you mean --password?\n"},
        {{"send", "--simulte", "a.MVT"}, 2, "Unknown option 'simulte'. Did you mean --simulate?\n"},
        {{"listen", "--imput", "x"}, 2, "Unknown option 'imput'. Did you mean --input?\n"},
        {{"send", "--wobble", "a.MVT"}, 2, "Unknown option 'wobble'.\nTry 'mvt send --help'.\n"},
        {{"send", "--simulate", "a.MVT", "--password"}, 2, "Missing value after '--password'."},
        {{"dmx", "--simulate", "--frames", "3", "--set", "1=256"},
         2,
         "Level \"256\" in \"1=256\" is not a number from 0 to 255."},
        {{"dmx", "--simulate", "--frames", "3", "--set", "513=1"},
         2,
         "Channel \"513\" in \"513=1\" is not a number from 1 to 512."},
        {{"dmx", "--simulate", "--frames", "3", "--set", "1:5"}, 2, "\"1:5\" is not of the form CH=LEVEL."},
        {{"dmx", "--simulate", "--frames", "3", "--set", "+1=5"}, 2, "Channel \"+1\""},
        {{"dmx", "--simulate", "--frames", "3", "--address", "0"},
         2,
         "Address \"0\" is not a number from 1 to 511."},
        {{"dmx", "--simulate", "--frames", "3", "--address", "500", "--set", "14=1"},
         2,
         "Channel 14 at address 500 would be DMX channel 513; frames carry channels 1 to 512."},
        {{"dmx", "--simulate", "--frames", "0"}, 2, "Frames \"0\" is not a number of at least 1."},
        {{"dmx", "--simulate"}, 2, "--simulate needs --frames N, or --realtime"},
        {{"dmx", "--simulate", "--frames", "3", "extra"}, 2, "Unexpected argument \"extra\"."},
        {{"ports", "extra"}, 2, "Unexpected argument \"extra\"."},
        {{"send", "--realtime", "--password", "452DB8", "a.MVT"},
         2,
         "--realtime paces the simulated controller"},
        {{"dmx", "--realtime", "--frames", "1"}, 2, "--realtime paces the simulated controller"},
        {{"check"}, 2, "Name at least one update file."},
        {{"listen"}, 2, "Name either a port (--port) or a recording (--input)."},
        {{"listen", "--input", "x", "--expect"}, 2, "--expect needs the update files"},
        {{"listen", "--input", "x", "--expect", "--password", "452DB8", "--password", "004DE8", "--password",
          "6688AA", spot, wash},
         2,
         "Give --password once for every file, or once for each file in the files' order (2 file(s), 3 "
         "password(s))."},

        // A file, capture or record that cannot be written: before anything is sent or heard.
        {{"send", "--simulate", "--password", "452DB8", "--capture", unreachable, spot},
         2,
         "The capture " + cannotWrite},
        {{"dmx", "--simulate", "--frames", "1", "--capture", unreachable}, 2, "The capture " + cannotWrite},
        {{"listen", "--input", "-", "--capture", unreachable}, 2, "The capture " + cannotWrite},
        {{"listen", "--input", "-", "--record", unreachable}, 2, "The record " + cannotWrite},
        {{"listen", "--input", missing},
         2,
         "\"" + missing.toStdString() + "\" cannot be read: No such file or directory."},

        // An update file that cannot be read, or does not look like one.
        {{"info", missing}, 4, "The file does not exist."},
        {{"check", missing}, 4, "The file does not exist."},
        {{"send", "--simulate", "--password", "452DB8", missing}, 4, "The file does not exist."},
        {{"listen", "--input", "-", "--expect", "--password", "452DB8", missing},
         4,
         "The file does not exist."},
        {{"info", png}, 4, png.toStdString() + unlike},
        {{"check", "--password", "452DB8", png}, 4, png.toStdString() + unlike},
        {{"send", "--simulate", "--password", "452DB8", png}, 4, png.toStdString() + unlike},

        // A wrong password: as one password is every file's, the wash file's is another.
        {{"check", "--password", "452DB8", spot, wash}, 3, "password wrong"},
        {{"send", "--simulate", "--password", "452DB8", spot, wash}, 3, "password wrong"},
        {{"listen", "--input", "-", "--expect", "--password", "452DB8", spot, wash}, 3, "Password Wrong!"},
    };
    for (const Case& c : cases) {
        const std::string name = c.arguments.join(' ').toStdString();
        const MvtResult run = runMvt(c.arguments);
        EXPECT_EQ(run.exitCode, c.status) << name;
        if (c.status == 2) {
            EXPECT_EQ(run.out, "") << name;
        }
        EXPECT_NE((run.out + run.err).find(c.message), std::string::npos) << name << "\n"
                                                                          << run.out << run.err;
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
