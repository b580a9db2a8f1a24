// SPDX-License-Identifier: Apache-2.0
// Exit code 0 in every case, and errors shown in the error box: at start-up (the loop is then not
// entered) and in event handlers (the loop goes on).
#include "app/ProgramRun.h"
#include "tests/app/TestApplication.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace sus {
namespace {

// Runs a program whose start-up throws; the loop must not run, or the guard would end it.
int runFailingStartUp(const std::function<void()>& fail, bool& loopEntered)
{
    loopEntered = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        loopEntered = true;
        QCoreApplication::quit();
    });
    guard.start(0);
    const int exitCode = runProgram(test::application(), [&]() -> ProgramWindows {
        fail();
        return {};
    });
    return exitCode;
}

TEST(ProgramRun, AnErrorAtStartUpIsShownAndTheProgramReturnsZeroWithoutALoop)
{
    test::takeShownErrors();
    bool loopEntered = true;
    EXPECT_EQ(runFailingStartUp([] { throw std::runtime_error("Cannot load the picture"); }, loopEntered), 0);
    EXPECT_FALSE(loopEntered);
    EXPECT_EQ(test::takeShownErrors(), std::vector<QString>{"Cannot load the picture"});

    EXPECT_EQ(runFailingStartUp([] { throw 42; }, loopEntered), 0);
    EXPECT_FALSE(loopEntered);
    EXPECT_EQ(test::takeShownErrors(), std::vector<QString>{""});
}

TEST(ProgramRun, AnErrorInAnEventHandlerIsShownAndTheNextEventIsHandled)
{
    test::takeShownErrors();
    QPushButton failing;
    int attempts = 0;
    QObject::connect(&failing, &QPushButton::clicked, [&] {
        ++attempts;
        throw std::logic_error("handler failed");
    });
    failing.show();
    QTest::mouseClick(&failing, Qt::LeftButton);
    QTest::mouseClick(&failing, Qt::LeftButton);
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(test::takeShownErrors(), (std::vector<QString>{"handler failed", "handler failed"}));
}

} // namespace
} // namespace sus
