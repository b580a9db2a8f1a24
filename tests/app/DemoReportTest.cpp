// SPDX-License-Identifier: Apache-2.0
// The demo program's report of what the fixture received, over a run through the window.
#include "app/demo/DemoReport.h"
#include "receive/ReceptionReport.h"
#include "receive/UpdateReceiver.h"
#include "tests/app/BoundWindow.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <sstream>

namespace sus {
namespace {

using test::UpdateFileBuilder;

UpdateFileBuilder DemoFile()
{
    return UpdateFileBuilder()
        .keyBytes({0x11, 0x22, 0x33, 0x44, 0x55, 0x66})
        .newVersion(0xAB, 0x10)
        .imageData(std::vector<std::uint8_t>(500, 0x3C));
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class DemoReportOfARun : public ::testing::Test, protected test::BoundWindow {
protected:
    std::ostringstream out;
    DemoReport report{fakes.devices, fakes.line.threads().line, out};
};

TEST_F(DemoReportOfARun, TellsEachFilesSizeVersionAndWhetherItsImageArrivedIntact)
{
    const std::string path = write(DemoFile(), "Beam.MVT");
    fakes.context.updateRunChanged = [&](bool running, const RunRequest& request) {
        fakes.updateRunChanges.push_back(running);
        if (running)
            report.runStarted(request.filesOfRun());
        else
            report.runEnded();
    };
    addThroughDialog(path);
    form.Edit1->setText(QString::fromStdString(DemoFile().password()));
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    ASSERT_TRUE(runUntilRunEnded());

    const std::string text = out.str();
    EXPECT_TRUE(contains(text, "41 wake-up frames, 1 file(s) received, the fixture was told to reset."))
        << text;
    EXPECT_TRUE(contains(text, "1. " + path + ": 644 bytes, version A.B.10, image intact\n")) << text;
    // The recording starts afresh with the next run.
    EXPECT_TRUE(fakes.devices.txLine().writes().empty());
}

TEST(DemoReport, TellsADamagedOrCutOffImageAndAStoppedRun)
{
    test::TempDir dir;
    const std::string path = test::utf8Of(DemoFile().writeTo(dir / "Beam.MVT"));
    UpdateReception reception;
    reception.aborted = true;
    ReceivedFile damaged;
    damaged.ended = true;
    damaged.image.assign(512, 0x00);
    ReceivedFile cutOff;
    reception.files = {damaged, cutOff};

    const std::string text = describeReception(reception, {path, path});
    EXPECT_TRUE(contains(text, "the run was stopped.")) << text;
    EXPECT_TRUE(contains(text, "1. " + path + ": 644 bytes, no header block, image NOT intact\n")) << text;
    EXPECT_TRUE(contains(text, "2. " + path + ": 644 bytes, no header block, cut off before its end\n"))
        << text;
}

} // namespace
} // namespace sus
