// The Qt adapters of the core's interfaces: window timers on a real event loop, the precise Qt timer
// and the real-time one (order only, no timing), and the modal message boxes.
#include "app/Application.h"
#include "app/QtPresenter.h"
#include "app/QtTimer.h"
#include "app/RealTimeTimer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace sus {
namespace {

constexpr int kPatienceMs = 5000;

struct TimerKind {
    const char* name;
    std::unique_ptr<Timer> (*create)();
};

class EventLoopTimer : public ::testing::TestWithParam<TimerKind> {};

TEST_P(EventLoopTimer, TicksOnlyWhileEnabled)
{
    const auto running = GetParam().create();
    const auto idle = GetParam().create();
    int ticks = 0;
    int idleTicks = 0;
    running->setOnTick([&] { ++ticks; });
    idle->setOnTick([&] { ++idleTicks; });
    running->setInterval(2);
    idle->setInterval(2);

    running->setEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, kPatienceMs));
    running->setEnabled(false);
    const int ticksWhenDisabled = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, ticksWhenDisabled);
    EXPECT_EQ(idleTicks, 0);
}

TEST_P(EventLoopTimer, EnablingARunningTimerOrSettingItsIntervalAgainKeepsItsPeriod)
{
    const auto slow = GetParam().create();
    const auto fast = GetParam().create();
    int slowTicks = 0;
    int fastTicks = 0;
    slow->setInterval(40);
    slow->setOnTick([&] { ++slowTicks; });
    // Were either call to restart the period, the slow timer would never come round.
    fast->setOnTick([&] {
        ++fastTicks;
        slow->setEnabled(true);
        slow->setInterval(40);
    });
    fast->setInterval(2);
    slow->setEnabled(true);
    fast->setEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return slowTicks >= 2; }, kPatienceMs));
    EXPECT_GT(fastTicks, slowTicks);
}

TEST_P(EventLoopTimer, AnIntervalSetInATickCountsFromThatTick)
{
    const auto changing = GetParam().create();
    const auto counter = GetParam().create();
    std::vector<int> countsAtTicks;
    int counted = 0;
    counter->setOnTick([&] { ++counted; });
    changing->setOnTick([&] {
        countsAtTicks.push_back(counted);
        changing->setInterval(300);
    });
    changing->setInterval(1);
    counter->setInterval(5);
    counter->setEnabled(true);
    changing->setEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return countsAtTicks.size() >= 2; }, kPatienceMs));
    // The short first period is over; the long one passed between the two ticks.
    EXPECT_LT(countsAtTicks[0], 3);
    EXPECT_GE(countsAtTicks[1] - countsAtTicks[0], 3);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EventLoopTimer,
                         ::testing::Values(TimerKind{"QtTimer",
                                                     []() -> std::unique_ptr<Timer> {
                                                         return std::make_unique<QtTimer>();
                                                     }},
                                           TimerKind{"RealTimeTimer", createRealTimeTimer}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Looks at the next modal box once it shows, then dismisses it.
void dismissNextBox(SeenBox& seen)
{
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->standardButtons()};
        box->buttons().front()->click();
    });
}

TEST(QtPresenter, MessagesCarryTheApplicationTitleAndFileErrorsOfferOkAndCancel)
{
    QtPresenter presenter;
    SeenBox seen;
    dismissNextBox(seen);
    presenter.showMessage("Controller has been found!");
    EXPECT_EQ(seen.caption, "Software Update System");
    EXPECT_EQ(seen.text, "Controller has been found!");
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);

    dismissNextBox(seen);
    presenter.showFileError("Cannot open the file");
    EXPECT_EQ(seen.caption, "File Error");
    EXPECT_EQ(seen.text, "Cannot open the file");
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

TEST(QtPresenter, DismissingABoxOverTheMainWindowAloneDoesNotEndTheProgram)
{
    // The main window does not end the program when it closes; nor may a box shown over it: the
    // presenter's boxes and the error box of an exception that escaped a handler alike.
    QWidget mainWindow;
    mainWindow.setAttribute(Qt::WA_QuitOnClose, false);
    mainWindow.show();
    constexpr int kStillRunning = 7;

    QtPresenter presenter;
    const std::vector<std::function<void()>> boxes{[&] { presenter.showFileError("File can not open."); },
                                                   [] { showStandardErrorBox(QStringLiteral("bad_alloc")); }};
    for (const auto& showBox : boxes) {
        SeenBox seen;
        QTimer::singleShot(0, [&] {
            dismissNextBox(seen);
            showBox();
            QTimer::singleShot(50, [] { QCoreApplication::exit(kStillRunning); });
        });
        EXPECT_EQ(QApplication::exec(), kStillRunning);
        EXPECT_FALSE(seen.text.isEmpty());
    }
}

} // namespace
} // namespace sus
