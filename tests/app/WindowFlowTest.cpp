// SPDX-License-Identifier: Apache-2.0
// The way between the splash and the main window, and what the main window does on creation and close.
#include "app/ProgramRun.h"
#include "app/TabbedNotebook.h"
#include "tests/app/TestApplication.h"
#include "tests/app/TestContext.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace sus {
namespace {

void click(QToolButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

class WindowFlow : public ::testing::Test {
protected:
    test::TestContext fakes;
};

using Op = SimulatedController::Op;

TEST_F(WindowFlow, DiscoveryRunsOnceAtCreationAndAFoundControllerEnablesDmxOutput)
{
    ProgramWindows absent = createWindows(fakes.context);
    EXPECT_EQ(fakes.devices.callCount(Op::Count), 1u);
    EXPECT_FALSE(absent.form2->CheckBox1->isEnabled());
    EXPECT_TRUE(fakes.presenter.shown.empty());

    test::TestContext withController;
    withController.attachController();
    ProgramWindows present = createWindows(withController.context);
    EXPECT_EQ(withController.devices.callCount(Op::Count), 1u);
    EXPECT_EQ(withController.presenter.texts(), std::vector<std::string>{"Controller has been found!"});
    EXPECT_TRUE(present.form2->CheckBox1->isEnabled());
    EXPECT_FALSE(present.form2->CheckBox1->isChecked());
    EXPECT_FALSE(present.form1->isVisible());
    EXPECT_FALSE(present.form2->isVisible());
}

// Without a controller, Start and "DMX Output" stay grey the whole session: each says why, in the same
// words, and nothing else of the window changes.
TEST(WindowWithoutController, TheGreyControlsSayWhy)
{
    const std::string restart = "\nA controller attached later is found when the program starts again.";
    struct Case {
        const char* name;
        std::vector<SimulatedDevice> attached;
        std::string why;
    };
    const Case cases[] = {
        {"nothing attached",
         {},
         "No controller: no USB serial device of its kind is attached. Check the USB cable and the driver." +
             restart},
        {"one this user may not open",
         {{.identity = "ttyUSB0", .openable = false, .refusal = DeviceFault::Kind::PermissionDenied}},
         "No controller: ttyUSB0 could not be opened. This user may not open the port. Install the udev rule "
         "from packaging/linux/, or add the user to the dialout group and log in again." +
             restart},
        {"another bridge of its kind",
         {{.identity = "ttyUSB1", .productId = 0xEA60}},
         "No controller: ttyUSB1 is a USB-UART of the controller's kind but not the controller (USB id "
         "10C4:EA60)." +
             restart},
        {"the controller", {{.identity = "ttyUSB0"}}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TestContext fakes;
        for (const SimulatedDevice& device : c.attached)
            fakes.devices.attach(device);
        ProgramWindows windows = createWindows(fakes.context);
        EXPECT_EQ(windows.form2->SpeedButton2->toolTip().toStdString(), c.why);
        EXPECT_EQ(windows.form2->CheckBox1->toolTip().toStdString(), c.why);
        EXPECT_EQ(windows.form2->CheckBox1->isEnabled(), c.why.empty());
        EXPECT_FALSE(windows.form2->SpeedButton2->isEnabled());
    }
}

TEST_F(WindowFlow, MainWindowComesAndGoesKeepingItsContents)
{
    ProgramWindows windows = createWindows(fakes.context);
    TForm1& form1 = *windows.form1;
    TForm2& form2 = *windows.form2;
    form1.show();

    click(form1.SpeedButton1);
    EXPECT_FALSE(form1.isVisible());
    EXPECT_TRUE(form2.isVisible());

    form2.ListBox1->addItem("/updates/A.MVT");
    form2.Memo1->setPlainText("IC Function: spot");
    form2.Edit1->setText("1A2B3C");
    form2.TrackBar7->setValue(100);
    form2.TabbedNotebook1->setCurrentIndex(1);

    form2.close();
    EXPECT_TRUE(form1.isVisible());
    EXPECT_FALSE(form2.isVisible());

    click(form1.SpeedButton1);
    EXPECT_TRUE(form2.isVisible());
    EXPECT_EQ(form2.ListBox1->item(0)->text(), "/updates/A.MVT");
    EXPECT_EQ(form2.Memo1->toPlainText(), "IC Function: spot");
    EXPECT_EQ(form2.Edit1->text(), "1A2B3C");
    EXPECT_EQ(form2.TrackBar7->value(), 100);
    EXPECT_EQ(form2.TabbedNotebook1->currentIndex(), 1);
    EXPECT_EQ(fakes.devices.callCount(Op::Count), 1u);

    form2.close();
    EXPECT_TRUE(fakes.presenter.shown.empty());
}

TEST_F(WindowFlow, OpenDialogRunsThroughTheContext)
{
    ProgramWindows windows = createWindows(fakes.context);
    fakes.dialogAnswer = {"/updates/NEW.MVT"};
    EXPECT_EQ(windows.form2->executeOpenDialog1(), QStringList{"/updates/NEW.MVT"});
    EXPECT_EQ(fakes.dialogRun, windows.form2->OpenDialog1);
}

// Runs the program with `script` started once the message loop runs; false if the loop had to be
// stopped from outside.
bool runProgramWith(test::TestContext& fakes, const std::function<void(TForm1&, TForm2&)>& script,
                    int& exitCode)
{
    bool stuck = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        stuck = true;
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    });
    watchdog.start(10000);
    exitCode = runProgram(test::application(), [&] {
        ProgramWindows windows = createWindows(fakes.context);
        TForm1* form1 = windows.form1.get();
        TForm2* form2 = windows.form2.get();
        QTimer::singleShot(0, form1, [&script, form1, form2] { script(*form1, *form2); });
        return windows;
    });
    return !stuck;
}

TEST_F(WindowFlow, ExitEndsTheProgramWithZeroAfterAVisitToTheMainWindow)
{
    int exitCode = -1;
    const bool ended = runProgramWith(
        fakes,
        [](TForm1& form1, TForm2& form2) {
            EXPECT_TRUE(form1.isVisible());
            EXPECT_FALSE(form2.isVisible());
            click(form1.SpeedButton1);
            EXPECT_TRUE(form2.isVisible());
            form2.close();
            EXPECT_TRUE(form1.isVisible());
            click(form1.SpeedButton2);
        },
        exitCode);
    EXPECT_TRUE(ended);
    EXPECT_EQ(exitCode, 0);
}

TEST_F(WindowFlow, ExitEndsTheProgramWithZeroWithoutTheMainWindowEverShown)
{
    int exitCode = -1;
    EXPECT_TRUE(runProgramWith(
        fakes, [](TForm1& form1, TForm2&) { click(form1.SpeedButton2); }, exitCode));
    EXPECT_EQ(exitCode, 0);
}

} // namespace
} // namespace sus
