// SPDX-License-Identifier: Apache-2.0
// mvt as a technician runs it on a real port, unmodified, over the model bridge (loaded before
// the C library): what the fixture hears, and the bridge's checks.

#include "receive/UpdateReceiver.h"
#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"
#include "update/UpdateKey.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <unistd.h>

namespace sus::test {
namespace {

// A port name of this test alone: Qt locks a port by its name, machine-wide, and tests run side by side.
const std::string kBridgePort = "/dev/ttyUSB" + std::to_string(::getpid());

class MvtOverTheBridge : public ::testing::Test {
protected:
    MvtResult mvt(const QStringList& arguments)
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(SUS_MODEL_BRIDGE_LIBRARY));
        environment.insert(QStringLiteral("SUS_MODEL_BRIDGE_PORT"), QString::fromStdString(kBridgePort));
        environment.insert(QStringLiteral("SUS_MODEL_BRIDGE_LINE"), pathArgument(line));
        environment.insert(QStringLiteral("SUS_MODEL_BRIDGE_COUNTS"), pathArgument(counts));
        return runMvt(arguments, environment);
    }

    // The bridge's counts and checks by name.
    std::map<std::string, std::size_t> bridgeCounts() const
    {
        std::map<std::string, std::size_t> byName;
        std::istringstream in(fileText(counts));
        for (std::string entry; std::getline(in, entry);) {
            const std::size_t space = entry.rfind(' ');
            byName[entry.substr(0, space)] = std::stoul(entry.substr(space + 1));
        }
        return byName;
    }

    void expectNothingCaughtCutOrLost() const
    {
        const auto checks = bridgeCounts();
        ASSERT_TRUE(checks.contains("bytes caught"));
        EXPECT_EQ(checks.at("bytes caught"), 0u);
        EXPECT_EQ(checks.at("characters cut"), 0u);
        EXPECT_EQ(checks.at("bytes purged"), 0u);
    }

    TempDir dir;
    std::filesystem::path line = dir / "line.log";
    std::filesystem::path counts = dir / "counts.txt";
};

TEST_F(MvtOverTheBridge, SendUpdatesTheFixtureWithEveryPacketExact)
{
    const MvtResult run = mvt({QStringLiteral("send"), QStringLiteral("--port"),
                               QString::fromStdString(kBridgePort), QStringLiteral("--password"),
                               QStringLiteral("452DB8"), pathArgument(examplePath("Demo Spot 575.MVT"))});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Software Update is finish! \n\n (The Fixture will be Reset!)\n");

    const FixtureLog heard = heardFromWireLog(line);
    EXPECT_EQ(heard.framingErrors, 0u);
    EXPECT_EQ(heard.strayCharacters, 0u);
    const UpdateReception got = UpdateReception::from(heard);
    EXPECT_EQ(got.wakeUpFrames, 41u);
    EXPECT_EQ(got.badPackets, 0u);
    EXPECT_TRUE(got.finished);
    ASSERT_EQ(got.files.size(), 1u);
    const UpdateImage image = exampleImage("Demo Spot 575.MVT");
    EXPECT_TRUE(got.files[0].matches(image, DeriveImageKey(image.keyBytes())));
    expectNothingCaughtCutOrLost();
}

TEST_F(MvtOverTheBridge, DmxSendsFramesWithTheLevelsSetFromTheAddress)
{
    const MvtResult run =
        mvt({QStringLiteral("dmx"), QStringLiteral("--port"), QString::fromStdString(kBridgePort),
             QStringLiteral("--frames"), QStringLiteral("4"), QStringLiteral("--address"),
             QStringLiteral("10"), QStringLiteral("--set"), QStringLiteral("1=255,2=128")});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const FixtureLog heard = heardFromWireLog(line);
    EXPECT_EQ(heard.framingErrors, 0u);
    const auto frames = heard.dmxFrames();
    ASSERT_EQ(frames.size(), 4u);
    std::vector<std::uint8_t> expected(513, 0);
    expected[10] = 255;
    expected[11] = 128;
    for (const WireFrame* frame : frames) {
        EXPECT_EQ(frame->breakLowNs, 156'250);
        EXPECT_EQ(frame->bytes, expected);
    }
    expectNothingCaughtCutOrLost();
}

} // namespace
} // namespace sus::test
