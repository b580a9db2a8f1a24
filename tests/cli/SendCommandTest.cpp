#include "core/Nanoseconds.h"
#include "sim/Captures.h"
#include "sim/UpdateReceiver.h"
#include "sim/Waveform.h"
#include "tests/bridge/WireLog.h"
#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"
#include "update/UpdateKey.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sus::test {
namespace {

constexpr std::int64_t kMs = kNsPerMs;
constexpr const char* kSpot = "Demo Spot 575.MVT";
constexpr const char* kSpotPassword = "452DB8";
constexpr const char* kFinishText = "Software Update is finish! \n\n (The Fixture will be Reset!)\n";
constexpr const char* kFound = "Controller has been found!\n";

QString q(const std::filesystem::path& path)
{
    return QString::fromStdString(utf8Of(path));
}

class MvtSend : public ::testing::Test {
protected:
    // `mvt send --simulate` over `files` with a wire log capture.
    MvtResult send(const QString& password, const QStringList& files)
    {
        return runMvt(QStringList{QStringLiteral("send"), QStringLiteral("--simulate"),
                                  QStringLiteral("--password"), password, QStringLiteral("--capture"),
                                  q(log)} +
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

    const MvtResult run = send(QString::fromLatin1(kSpotPassword), {q(examplePath(kSpot)), q(secondPath)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, kFinishText);
    EXPECT_EQ(run.err, kFound);

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
    const QString spot = q(examplePath(kSpot));
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
                QString::fromLatin1(kSpotPassword), QStringLiteral("--capture"), q(vcd), spot});
    ASSERT_EQ(run.exitCode, 0);
    std::ostringstream expected;
    writeVcd(expected, renderWaveform(writes));
    EXPECT_EQ(fileText(vcd), expected.str());
}

TEST_F(MvtSend, EachFailureHasItsExitStatusAndMessageAndTheFixtureGetsNoReset)
{
    const QString spot = q(examplePath(kSpot));
    const QString missing = q(dir / "missing.MVT");
    struct Case {
        QString password;
        QStringList files;
        int exitCode;
        std::string message;
        std::size_t filesReceived;
    };
    const Case cases[] = {
        {QString(), {spot}, 2, "Enter the Password Please!\n", 0},
        {QStringLiteral("452db8"), {spot}, 3, "Password Wrong!\n", 0},
        {QString::fromLatin1(kSpotPassword),
         {spot, missing},
         4,
         "Can not open the File!\n" + utf8Of(dir / "missing.MVT") + "\nThe file does not exist.\n",
         1},
    };
    for (const Case& c : cases) {
        const MvtResult run = send(c.password, c.files);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_EQ(run.out, "") << c.message;
        EXPECT_EQ(run.err, kFound + c.message);
        const UpdateReception got = received();
        EXPECT_EQ(got.files.size(), c.filesReceived) << c.message;
        EXPECT_EQ(got.wakeUpFrames, c.exitCode == 2 ? 0u : 41u) << c.message;
        EXPECT_FALSE(got.finished);
        EXPECT_FALSE(got.aborted);
    }
}

} // namespace
} // namespace sus::test
