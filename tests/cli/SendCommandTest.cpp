// SPDX-License-Identifier: Apache-2.0
#include "receive/UpdateReceiver.h"
#include "sim/Captures.h"
#include "sim/Waveform.h"
#include "tests/bridge/WireLog.h"
#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/support/Milliseconds.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"
#include "update/UpdateKey.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sus::test {
namespace {

constexpr const char* kSpot = "Demo Spot 575.MVT";
constexpr const char* kSpotPassword = "452DB8";
constexpr const char* kFinishText = "Software Update is finish! \n\n (The Fixture will be Reset!)\n";
constexpr const char* kFound = "Controller has been found!\n";

class MvtSend : public ::testing::Test {
protected:
    // `mvt send --simulate` over `files` with a wire log capture.
    MvtResult send(const QString& password, const QStringList& files)
    {
        return runMvt(QStringList{QStringLiteral("send"), QStringLiteral("--simulate"),
                                  QStringLiteral("--password"), password, QStringLiteral("--capture"),
                                  pathArgument(log)} +
                      files);
    }

    UpdateReception received() const { return UpdateReception::from(heardFromWireLog(log)); }

    TempDir dir;
    std::filesystem::path log = dir / "run.log";
};

TEST_F(MvtSend, TheFixtureReceivesEveryFileExactlyAndTheFinishMessageIsTheOnlyOutput)
{
    // A second file with the demo file's key bytes, so that one password opens both.
    std::vector<std::uint8_t> data(700);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const UpdateImage spot = exampleImage(kSpot);
    const UpdateFileBuilder second = UpdateFileBuilder().keyBytes(spot.keyBytes()).imageData(data);
    const auto secondPath = second.writeTo(dir / "second.MVT");

    const MvtResult run = send(QString::fromLatin1(kSpotPassword),
                               {pathArgument(examplePath(kSpot)), pathArgument(secondPath)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, kFinishText);
    EXPECT_EQ(run.err,
              "mvt send: " + std::string(kFound) +
                  "mvt send: the run takes 8.780 s (wake-up frames 4.120 s, handshake 1.680 s, pauses "
                  "2.000 s, files 960 ms, finish 20 ms).\n");

    const UpdateReception got = received();
    EXPECT_EQ(got.wakeUpFrames, 41u);
    EXPECT_EQ(got.badPackets, 0u);
    EXPECT_EQ(got.outOfPlace, 0u);
    ASSERT_EQ(got.files.size(), 2u);
    EXPECT_TRUE(got.files[0].matches(spot, DeriveImageKey(spot.keyBytes())));
    EXPECT_TRUE(got.files[1].matches(UpdateImage(second.bytes()), second.key()));
    EXPECT_TRUE(got.files[0].ended && got.files[1].ended);
    EXPECT_EQ(got.files[0].identifyPackets, 63u);
    EXPECT_TRUE(got.finished);
    EXPECT_FALSE(got.aborted);
}

TEST_F(MvtSend, CaptureIsTheSameAtEveryRunStartsOneTickAfterTheOpenAndBothFormatsAgree)
{
    const QString spot = pathArgument(examplePath(kSpot));
    ASSERT_EQ(send(QString::fromLatin1(kSpotPassword), {spot}).exitCode, 0);
    const std::string first = fileText(log);
    ASSERT_EQ(send(QString::fromLatin1(kSpotPassword), {spot}).exitCode, 0);
    EXPECT_EQ(fileText(log), first);

    const std::vector<WireWrite> writes = bridge::readWireLog(first);
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.front().startNs,
              20 * kMs); // the first tick of Timer1, the break of the first wake-up frame
    EXPECT_EQ(writes.front().line.baudRate, 64000u);

    const auto vcd = dir / "run.VCD";
    const MvtResult run =
        runMvt({QStringLiteral("send"), QStringLiteral("--simulate"), QStringLiteral("--password"),
                QString::fromLatin1(kSpotPassword), QStringLiteral("--capture"), pathArgument(vcd), spot});
    ASSERT_EQ(run.exitCode, 0);
    std::ostringstream expected;
    writeVcd(expected, renderWaveform(writes));
    EXPECT_EQ(fileText(vcd), expected.str());
}

// The files are checked before anything is sent; --no-check keeps the window's order, where the
// files before a refused one go out whole.
TEST_F(MvtSend, EachFailureHasItsExitStatusAndMessageAndTheFixtureGetsNoReset)
{
    const QString spot = pathArgument(examplePath(kSpot));
    const QString missing = pathArgument(dir / "missing.MVT");
    const QString other =
        pathArgument(UpdateFileBuilder().keyBytes({1, 2, 3, 4, 5, 6}).writeTo(dir / "other.MVT"));
    const std::string found = "mvt send: " + std::string(kFound);
    const QString right = QString::fromLatin1(kSpotPassword);
    struct Case {
        const char* name;
        QStringList arguments;
        int exitCode;
        std::string message;
        std::size_t filesReceived;
        std::size_t wakeUpFrames;
    };
    const Case cases[] = {
        {"empty password",
         {QStringLiteral("--password"), QString(), spot},
         2,
         found + "mvt send: Enter the Password Please!\n",
         0,
         0},
        {"lower case",
         {QStringLiteral("--password"), QStringLiteral("452db8"), spot},
         3,
         "mvt send: " + utf8Of(examplePath(kSpot)) +
             ": V1.2.05, 3144 bytes, password wrong\nmvt send: Nothing was sent.\n",
         0,
         0},
        {"another password for the second file",
         {QStringLiteral("--password"), right, spot, other},
         3,
         "mvt send: " + utf8Of(dir / "other.MVT") +
             ": V0.0.00, 144 bytes, password wrong\nmvt send: Nothing was sent.\n",
         0,
         0},
        {"a second file that is missing",
         {QStringLiteral("--password"), right, spot, missing},
         4,
         "mvt send: " + utf8Of(dir / "missing.MVT") +
             ": cannot be sent. The file does not exist.\nmvt send: Nothing was sent.\n",
         0,
         0},
        {"lower case, unchecked",
         {QStringLiteral("--no-check"), QStringLiteral("--password"), QStringLiteral("452db8"), spot},
         3,
         found + "mvt send: Password Wrong!\nmvt send: The run ended at " + spot.toStdString() +
             ", which was not sent; the 0 file(s) before it were sent whole. No AbortUpdate went out.\n"
             "Once it can be sent, send it and the files after it: mvt send --simulate --capture " +
             pathArgument(log).toStdString() + " --no-check --password \u2026 '" + spot.toStdString() + "'\n",
         0,
         41},
        {"a second file that is missing, unchecked, each file its password",
         {QStringLiteral("--no-check"), QStringLiteral("--password"), right, QStringLiteral("--password"),
          right, spot, missing},
         4,
         found + "mvt send: Can not open the File!\n" + missing.toStdString() +
             "\nThe file does not exist.\nmvt send: The run ended at " + missing.toStdString() +
             ", which was not sent; the 1 file(s) before it were sent whole. No AbortUpdate went out.\n"
             "Once it can be sent, send it and the files after it: mvt send --simulate --capture " +
             pathArgument(log).toStdString() + " --no-check --password \u2026 " + missing.toStdString() +
             "\n",
         1,
         41},
        {"two passwords for three files",
         {QStringLiteral("--password"), right, QStringLiteral("--password"), right, spot, spot, spot},
         2,
         "mvt send: Give --password once for every file, or once for each file in the files' order (3 "
         "file(s), 2 "
         "password(s)).\nTry 'mvt send --help'.\n",
         0,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(log);
        const MvtResult run = runMvt(QStringList{QStringLiteral("send"), QStringLiteral("--simulate"),
                                                 QStringLiteral("--capture"), pathArgument(log)} +
                                     c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, c.message);
        const UpdateReception got = received();
        EXPECT_EQ(got.files.size(), c.filesReceived);
        EXPECT_EQ(got.wakeUpFrames, c.wakeUpFrames);
        // A run refused before the line carried anything leaves no capture to be taken for one.
        EXPECT_EQ(std::filesystem::exists(log), c.wakeUpFrames > 0);
        EXPECT_FALSE(got.finished);
        EXPECT_FALSE(got.aborted);
    }
}

TEST_F(MvtSend, EachFileGoesWithItsOwnPasswordWhenOneIsGivenPerFile)
{
    const UpdateFileBuilder otherFile = UpdateFileBuilder().keyBytes({1, 2, 3, 4, 5, 6}).imageData({1, 2, 3});
    const QString other = pathArgument(otherFile.writeTo(dir / "other.MVT"));
    const MvtResult run = runMvt(
        {QStringLiteral("send"), QStringLiteral("--simulate"), QStringLiteral("--capture"), pathArgument(log),
         QStringLiteral("--password"), QString::fromLatin1(kSpotPassword), QStringLiteral("--password"),
         QString::fromStdString(otherFile.password()), pathArgument(examplePath(kSpot)), other});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const UpdateReception got = received();
    ASSERT_EQ(got.files.size(), 2u);
    const UpdateImage spot = exampleImage(kSpot);
    EXPECT_TRUE(got.files[0].matches(spot, DeriveImageKey(spot.keyBytes())));
    EXPECT_TRUE(got.finished);
}

// check reads each file as a run would and sends nothing: a line per file, and send's exit status
// for the first problem.
TEST(MvtCheck, SaysOfEachFileWhatARunWouldMakeOfIt)
{
    TempDir dir;
    const QString spot = pathArgument(examplePath(kSpot));
    const QString right = QString::fromLatin1(kSpotPassword);
    const UpdateFileBuilder otherFile = UpdateFileBuilder().keyBytes({1, 2, 3, 4, 5, 6});
    const QString other = pathArgument(otherFile.writeTo(dir / "other.MVT"));
    writeFileBytes(dir / "short.MVT", std::vector<std::uint8_t>(100, 0));
    const QString shortFile = pathArgument(dir / "short.MVT");
    const std::string spotLine = utf8Of(examplePath(kSpot)) + ": V1.2.05, 3144 bytes, ";
    const std::string otherLine = utf8Of(dir / "other.MVT") + ": V0.0.00, 144 bytes, ";
    // From Start to the link closing, as the run's script paces it: the same whatever the password.
    const std::string spotRun =
        "A run of this file takes 8.460 s (wake-up frames 4.120 s, handshake 1.680 s, "
        "pauses 2.000 s, files 640 ms, finish 20 ms).\n";
    struct Case {
        const char* name;
        QStringList arguments;
        int exitCode;
        std::string out;
    };
    const Case cases[] = {
        {"right", {QStringLiteral("--password"), right, spot}, 0, spotLine + "password right\n" + spotRun},
        {"wrong on the second",
         {QStringLiteral("--password"), right, spot, other},
         3,
         spotLine + "password right\n" + otherLine + "password wrong\n"},
        {"each its own",
         {QStringLiteral("--password"), right, QStringLiteral("--password"),
          QString::fromStdString(otherFile.password()), spot, other},
         0,
         spotLine + "password right\n" + otherLine + "password right\n" +
             "A run of these files takes 8.700 s (wake-up frames 4.120 s, handshake 1.680 s, pauses 2.000 s, "
             "files 880 ms, finish 20 ms).\n"},
        {"unreadable after a wrong password",
         {QStringLiteral("--password"), right, other, pathArgument(dir / "missing.MVT")},
         3,
         otherLine + "password wrong\n" + utf8Of(dir / "missing.MVT") +
             ": cannot be sent. The file does not exist.\n"},
        {"too short, no password",
         {shortFile},
         4,
         utf8Of(dir / "short.MVT") +
             ": cannot be sent. The file holds 100 bytes; an update file holds at least 144 (its header).\n"},
        {"no password", {spot}, 0, spotLine + "readable (no password given)\n" + spotRun},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MvtResult run = runMvt(QStringList{QStringLiteral("check")} + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(run.out, c.out);
    }
}

} // namespace
} // namespace sus::test
