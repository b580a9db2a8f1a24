// SPDX-License-Identifier: Apache-2.0
// The windows as the programs run them: the line on its own thread (QtLineThread) over the simulated
// controller on the wall clock, and what the line posts reaching the window's event loop: DMX output
// through its check box, and the window closed mid-run.
#include "app/MainWindowContext.h"
#include "app/ProgramRun.h"
#include "core/SteadyClock.h"
#include "dmx/DmxUniverse.h"
#include "link/Link.h"
#include "link/serial/QtLineThread.h"
#include "receive/UpdateReceiver.h"
#include "sim/SimulatedController.h"
#include "sim/VirtualFixture.h"
#include "tests/support/FakeKeepAwake.h"
#include "tests/support/RecordingPresenter.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"
#include "update/UpdateFiles.h"

#include <QCheckBox>

#include <QFileDialog>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace sus {
namespace {

constexpr int kPatienceMs = 10'000;

// The program-wide state of the window program over a simulated controller on the wall clock.
struct ThreadedContext {
    test::RecordingPresenter presenter;
    SteadyClock clock;
    SimulatedController devices{clock};
    Link link{devices, presenter};
    UpdateFiles updateFiles;
    DmxUniverse universe;
    test::FakeKeepAwake keepAwake;
    QtLineThread line;
    QStringList dialogAnswer;
    std::vector<bool> updateRunChanges;

    MainWindowContext context{
        .presenter = presenter,
        .link = link,
        .line = line,
        .updateFiles = updateFiles,
        .universe = universe,
        .keepAwake = keepAwake,
        .runOpenDialog = [this](QFileDialog&) { return dialogAnswer; },
        .updateRunChanged = [this](bool running, const RunRequest&) { updateRunChanges.push_back(running); },
    };
};

class WindowOnLineThread : public ::testing::Test {
protected:
    WindowOnLineThread()
    {
        form.show();
        fakes.presenter.clear();
    }

    // A file queued through the dialog, its password typed, and Start clicked: waits until the run's
    // first wake-up frame has made Stop usable.
    void startARun()
    {
        const test::UpdateFileBuilder file =
            test::UpdateFileBuilder().imageData(std::vector<std::uint8_t>(700, 9));
        fakes.dialogAnswer = {QString::fromStdString(test::utf8Of(file.writeTo(dir / "file.MVT")))};
        QTest::mouseClick(form.SpeedButton1, Qt::LeftButton);
        form.Edit1->setText(QString::fromStdString(file.password()));
        QTest::mouseClick(form.SpeedButton2, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return form.SpeedButton3->isEnabled(); }, kPatienceMs));
    }

    // What the fixture heard, once the line has finished what it was handed.
    FixtureLog heardOnceTheLineStopped()
    {
        fakes.line.stop();
        return VirtualFixture::listen(fakes.devices.txLine());
    }

    test::TempDir dir;
    ThreadedContext fakes;
    ProgramWindows windows = [this] {
        fakes.devices.attach({.identity = "ttyUSB0"});
        return createWindows(fakes.context);
    }();
    TForm2& form = *windows.form2;
};

TEST_F(WindowOnLineThread, DmxOutputThroughItsCheckBoxSendsWhatTheFadersSet)
{
    form.TrackBar1->setValue(55); // channel 1 at 200
    QTest::mouseClick(form.CheckBox1, Qt::LeftButton);
    QTest::qWait(300);
    QTest::mouseClick(form.CheckBox1, Qt::LeftButton);

    const auto log = heardOnceTheLineStopped();
    const auto frames = log.dmxFrames();
    ASSERT_GE(frames.size(), 2u);
    for (const WireFrame* frame : frames) {
        ASSERT_EQ(frame->bytes.size(), kSentSlotCount);
        EXPECT_EQ(frame->bytes[1], 200);
    }
    EXPECT_FALSE(fakes.link.isOpen());
    EXPECT_TRUE(fakes.presenter.shown.empty());
}

TEST_F(WindowOnLineThread, ClosingTheWindowMidRunAbortsItOnTheLineAndReleasesTheImage)
{
    startARun();
    form.close();
    EXPECT_TRUE(windows.form1->isVisible());

    const UpdateReception got = UpdateReception::from(heardOnceTheLineStopped());
    EXPECT_TRUE(got.aborted);
    EXPECT_FALSE(got.finished);
    EXPECT_FALSE(fakes.link.isOpen());
    EXPECT_TRUE(fakes.updateFiles.updateImage().empty());
}

} // namespace
} // namespace sus
