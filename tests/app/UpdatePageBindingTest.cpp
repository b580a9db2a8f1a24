// SPDX-License-Identifier: Apache-2.0
// The "Update" page bound to its logic, end to end through the widgets: the queue and the panel,
// and update runs on the simulated controller in virtual time.
#include "app/TForm1.h"
#include "tests/app/BoundWindow.h"
#include "update/AwakeWhileRunning.h"
#include "update/UpdateMessages.h"
#include "update/UpdateSequencer.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>

#include <gtest/gtest.h>

#include <algorithm>

namespace sus {
namespace {

using test::UpdateFileBuilder;

UpdateFileBuilder SpotFile(std::size_t dataLength = 4000)
{
    std::vector<std::uint8_t> data(dataLength);
    for (std::size_t i = 0; i < dataLength; ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    // 0x96 and 0xFC are an en dash and a u umlaut in Windows-1252.
    return UpdateFileBuilder()
        .keyBytes({0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2})
        .functionText("Moving head \x96 spot")
        .designerText("J\xFCrgen")
        .newVersion(0x12, 0x05)
        .updatableVersions({0x11, 0x00, 0x10})
        .imageData(data);
}

UpdateFileBuilder WashFile()
{
    return UpdateFileBuilder()
        .keyBytes({0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2})
        .functionText("LED wash")
        .designerText("Ann")
        .newVersion(0x20, 0x01)
        .updatableVersions({0xFF})
        .imageData(std::vector<std::uint8_t>(300, 0x42));
}

const QString kSpotLines = QString::fromUtf8("Function:\n"
                                             "  Moving head \u2013 spot\n"
                                             "New Version: V1.2.05           Update Version: V12,V11,V10\n"
                                             "Design By:  J\u00FCrgen");
const QString kWashLines =
    QString::fromUtf8("Function:\n"
                      "  LED wash\n"
                      "New Version: V2.0.01           Update Version: All Version can update!\n"
                      "Design By:  Ann");

class UpdatePage : public ::testing::Test, protected test::BoundWindow {
protected:
    std::string spot = write(SpotFile(), "D\u00E9mo Spot 575.MVT");
    std::string wash = write(WashFile(), "Wash.MVT");
};

TEST_F(UpdatePage, AFileAddedThroughTheDialogIsQueuedAndShownInTheMemo)
{
    addThroughDialog(spot);
    EXPECT_EQ(fakes.dialogRun, form.OpenDialog1);
    ASSERT_EQ(form.ListBox1->count(), 1);
    EXPECT_EQ(form.ListBox1->item(0)->text().toStdString(), spot);
    EXPECT_EQ(form.Memo1->toPlainText(), kSpotLines);
    EXPECT_TRUE(form.SpeedButton2->isEnabled());
    EXPECT_FALSE(form.SpeedButton3->isEnabled());

    // Cancelling the dialog changes nothing; a file that cannot be read is queued and refused.
    fakes.dialogAnswer.clear();
    QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(form.ListBox1->count(), 1);
    addThroughDialog(test::utf8Of(dir / "missing.MVT"));
    EXPECT_EQ(form.ListBox1->count(), 2);
    ASSERT_EQ(fakes.presenter.shown.size(), 1u);
    EXPECT_EQ(fakes.presenter.shown[0].kind, test::RecordingPresenter::Kind::FileError);
    EXPECT_EQ(form.Memo1->toPlainText(), kSpotLines);
}

TEST_F(UpdatePage, ClickingAnEntryShowsItAndDoubleClickingRemovesTheSelectedOne)
{
    addThroughDialog(spot);
    addThroughDialog(wash);
    EXPECT_EQ(form.Memo1->toPlainText(), kWashLines);

    clickRow(0);
    EXPECT_EQ(form.Memo1->toPlainText(), kSpotLines);
    form.SpeedButton3->setEnabled(true);
    clickRow(1);
    EXPECT_EQ(form.Memo1->toPlainText(), kWashLines);
    EXPECT_TRUE(form.SpeedButton2->isEnabled());
    EXPECT_FALSE(form.SpeedButton3->isEnabled());

    // The first click of a double click on another entry shows it; the double click removes it.
    doubleClickRow(0);
    EXPECT_EQ(form.Memo1->toPlainText(), kSpotLines);
    ASSERT_EQ(form.ListBox1->count(), 1);
    EXPECT_EQ(form.ListBox1->item(0)->text().toStdString(), wash);
    EXPECT_TRUE(form.ListBox1->selectedItems().isEmpty());

    // A double click with nothing selected removes nothing.
    QTest::mouseDClick(form.ListBox1->viewport(), Qt::LeftButton, {}, QPoint(5, 140));
    EXPECT_EQ(form.ListBox1->count(), 1);
    EXPECT_TRUE(fakes.presenter.shown.empty());
}

TEST_F(UpdatePage, StartRunsTheQueueFromTheSelectionToTheFinishWithDmxOutputOffMeanwhile)
{
    addThroughDialog(wash);
    addThroughDialog(spot);
    addThroughDialog(wash);
    clickRow(1);
    form.Edit1->setText(QString::fromStdString(SpotFile().password()));

    QTest::mouseClick(form.CheckBox1, Qt::LeftButton);
    ASSERT_TRUE(form.CheckBox1->isChecked());
    ASSERT_TRUE(form.Timer2->isEnabled());

    std::vector<int> progress;
    QObject::connect(form.ProgressBar1, &QProgressBar::valueChanged,
                     [&](int value) { progress.push_back(value); });
    bool finishSeenWithButtonsBack = false;
    fakes.presenter.whileShown = [&](const test::RecordingPresenter::Shown& shown) {
        finishSeenWithButtonsBack = shown.text == kUpdateFinished && form.SpeedButton2->isEnabled() &&
                                    !form.SpeedButton3->isEnabled() && !reception().finished;
    };

    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    // Greyed at the click, before the first tick: a second click starts nothing.
    EXPECT_FALSE(form.SpeedButton2->isEnabled());
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_FALSE(form.CheckBox1->isEnabled());
    EXPECT_FALSE(form.Timer2->isEnabled());
    EXPECT_EQ(fakes.updateRunChanges, std::vector<bool>{true});
    fakes.devices.clearTxLine();

    advanceMs(150);
    EXPECT_FALSE(form.SpeedButton2->isEnabled());
    EXPECT_TRUE(form.SpeedButton3->isEnabled());
    QTest::mouseClick(form.CheckBox1, Qt::LeftButton);
    EXPECT_FALSE(form.CheckBox1->isChecked());

    ASSERT_TRUE(runUntilRunEnded());
    EXPECT_TRUE(finishSeenWithButtonsBack);
    EXPECT_EQ(fakes.presenter.texts(), std::vector<std::string>{std::string(kUpdateFinished)});
    EXPECT_EQ(fakes.updateRunChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE(form.CheckBox1->isEnabled());
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_FALSE(fakes.link.isOpen());

    // The bar rose through the file to full and went back to 0.
    EXPECT_TRUE(std::ranges::any_of(progress, [](int p) { return p > 0 && p < 100; }));
    EXPECT_TRUE(std::ranges::find(progress, 100) != progress.end());
    EXPECT_EQ(form.ProgressBar1->value(), 0);

    // Files 2 and 3 went out, each arriving whole; no DMX frame came between.
    const UpdateReception got = reception();
    EXPECT_EQ(got.wakeUpFrames, 41u);
    EXPECT_TRUE(got.finished);
    EXPECT_EQ(got.badPackets, 0u);
    ASSERT_EQ(got.files.size(), 2u);
    EXPECT_TRUE(got.files[0].matches(UpdateImage(SpotFile().bytes()), SpotFile().key()));
    EXPECT_TRUE(got.files[1].matches(UpdateImage(WashFile().bytes()), WashFile().key()));
    EXPECT_TRUE(heard().dmxFrames().empty());

    // Selecting each file as it went did not show it: the panel still shows the clicked one.
    EXPECT_EQ(form.Memo1->toPlainText(), kSpotLines);
    EXPECT_EQ(form.ListBox1->selectedItems().front(), form.ListBox1->item(2));
}

TEST_F(UpdatePage, WhereTheComputerCannotBeKeptAwakeStartsTooltipSaysSoAndTheRunGoesOn)
{
    addThroughDialog(wash);
    form.Edit1->setText(QString::fromStdString(WashFile().password()));
    fakes.keepAwake.refuseWith("logind refused (no such name)");
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(form.SpeedButton2->toolTip().toStdString(),
              machineMaySleepText({.held = false, .whyNot = "logind refused (no such name)"}));
    ASSERT_TRUE(runUntilRunEnded());
    EXPECT_TRUE(reception().finished);

    // Kept awake the next time, from Start to the end: the tooltip goes.
    fakes.keepAwake.refuseWith("");
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    EXPECT_TRUE(fakes.keepAwake.held);
    EXPECT_TRUE(form.SpeedButton2->toolTip().isEmpty());
    ASSERT_TRUE(runUntilRunEnded());
    EXPECT_FALSE(fakes.keepAwake.held);
    EXPECT_EQ(fakes.keepAwake.holds, 2);
}

TEST_F(UpdatePage, StopEndsTheRunWithAbortUpdate)
{
    addThroughDialog(spot);
    form.Edit1->setText(QString::fromStdString(SpotFile().password()));
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    advanceMs(7000); // into the data blocks
    ASSERT_GT(form.ProgressBar1->value(), 0);

    QTest::mouseClick(form.SpeedButton3, Qt::LeftButton);
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    EXPECT_TRUE(form.SpeedButton2->isEnabled());
    ASSERT_TRUE(runUntilRunEnded());
    EXPECT_TRUE(reception().aborted);
    EXPECT_FALSE(reception().finished);
    EXPECT_FALSE(fakes.link.isOpen());
    EXPECT_TRUE(form.CheckBox1->isEnabled());
}

TEST_F(UpdatePage, ClosingTheWindowDuringARunAbortsItAtOnceAndReleasesTheImage)
{
    addThroughDialog(spot);
    form.Edit1->setText(QString::fromStdString(SpotFile().password()));
    QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
    advanceMs(7000);
    ASSERT_GT(form.ProgressBar1->value(), 0);

    windows.form1->hide();
    form.close();
    EXPECT_TRUE(windows.form1->isVisible());
    EXPECT_FALSE(form.Timer1->isEnabled());
    EXPECT_FALSE(fakes.link.isOpen());
    EXPECT_TRUE(fakes.updateFiles.updateImage().empty());
    EXPECT_EQ(fakes.updateRunChanges, (std::vector<bool>{true, false}));
    const UpdateReception got = reception();
    EXPECT_TRUE(got.aborted);
    EXPECT_FALSE(got.finished);

    // Nothing more goes out, and the window comes back ready for the next run.
    const std::size_t writes = fakes.devices.txLine().writes().size();
    advanceMs(5000);
    EXPECT_EQ(fakes.devices.txLine().writes().size(), writes);
    EXPECT_TRUE(form.SpeedButton2->isEnabled());
    EXPECT_FALSE(form.SpeedButton3->isEnabled());
    EXPECT_TRUE(form.CheckBox1->isEnabled());
    EXPECT_TRUE(fakes.presenter.shown.empty());
}

} // namespace
} // namespace sus
