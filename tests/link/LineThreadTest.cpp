// SPDX-License-Identifier: Apache-2.0
// The line's own thread: work runs there in the order posted and never on the poster's thread,
// timers tick there, posted work runs ahead of a due tick, and stopping it lets what was handed over
// finish. Real time, but nothing here asserts a duration: waits are for things to happen, with a
// generous limit.
#include "link/LineThread.h"
#include "link/LineThreadCheck.h"
#include "tests/support/TaskQueue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace sus::test {
namespace {

using namespace std::chrono_literals;

// The window's side of a line thread, and the way to wait for what the line does.
struct LineThreadBench {
    // Runs the window's side until `done` holds; the line wakes it by posting.
    bool waitFor(const std::function<bool()>& done) { return window.runUntil(done); }
    // Posts to the window from the line, so that a wait looks again.
    void nudgeWindow()
    {
        window.post([] {});
    }
    void onLine(std::function<void()> task) { line.threads().line.post(std::move(task)); }

    TaskQueue window;
    LineThread line{window};
};

TEST(LineThread, PostedWorkRunsInOrderOnTheLineWhileThePosterGoesOn)
{
    LineThreadBench bench;
    std::mutex gate;
    std::unique_lock held(gate);
    std::vector<int> order; // the line's
    std::atomic<bool> allOnTheLine = true;
    std::atomic<bool> done = false;

    // The first task waits for the test: every later post must return while the line is busy.
    bench.onLine([&] {
        const std::lock_guard wait(gate);
        order.push_back(0);
    });
    for (int i = 1; i <= 100; ++i) {
        bench.onLine([&, i] {
            allOnTheLine = allOnTheLine && bench.line.isCurrent() && onTheLinesThread();
            order.push_back(i);
        });
    }
    bench.onLine([&] {
        done = true;
        bench.nudgeWindow();
    });
    EXPECT_FALSE(bench.line.isCurrent());
    held.unlock();
    ASSERT_TRUE(bench.waitFor([&] { return done.load(); }));
    // The debug builds' check: off the line's thread while it runs; anywhere once no line has one.
    EXPECT_FALSE(onTheLinesThread());
    bench.line.stop();
    EXPECT_TRUE(onTheLinesThread());
    std::vector<int> expected(101);
    for (int i = 0; i <= 100; ++i)
        expected[static_cast<std::size_t>(i)] = i;
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(allOnTheLine);
}

TEST(LineThread, TimersTickOnTheLineOnlyWhileEnabled)
{
    LineThreadBench bench;
    const auto running = bench.line.createTimer();
    const auto idle = bench.line.createTimer();
    std::atomic<int> ticks = 0;
    std::atomic<int> idleTicks = 0;
    std::atomic<bool> onTheLine = true;
    running->setOnTick([&] {
        onTheLine = onTheLine && bench.line.isCurrent();
        ++ticks;
        bench.nudgeWindow();
    });
    idle->setOnTick([&] { ++idleTicks; });
    running->setInterval(2);
    idle->setInterval(2);

    bench.onLine([&] { running->setEnabled(true); });
    ASSERT_TRUE(bench.waitFor([&] { return ticks >= 3; }));
    std::atomic<int> ticksWhenDisabled = -1;
    bench.onLine([&] {
        running->setEnabled(false);
        ticksWhenDisabled = ticks.load();
    });
    std::this_thread::sleep_for(30ms);
    bench.line.stop();
    EXPECT_EQ(ticks, ticksWhenDisabled);
    EXPECT_EQ(idleTicks, 0);
    EXPECT_TRUE(onTheLine);
}

TEST(LineThread, WorkPostedBeforeADueTickRunsFirst)
{
    LineThreadBench bench;
    const auto timer = bench.line.createTimer();
    std::vector<const char*> order; // the line's
    std::atomic<bool> ticked = false;
    timer->setInterval(1);
    timer->setOnTick([&] {
        order.push_back("tick");
        timer->setEnabled(false);
        ticked = true;
        bench.nudgeWindow();
    });
    bench.onLine([&] {
        timer->setEnabled(true);
        // A Stop clicked while the line is busy, with the next tick already due when it is free.
        bench.onLine([&] { order.push_back("posted"); });
        std::this_thread::sleep_for(5ms);
    });
    ASSERT_TRUE(bench.waitFor([&] { return ticked.load(); }));
    bench.line.stop();
    EXPECT_THAT(order, ::testing::ElementsAre(std::string_view("posted"), std::string_view("tick")));
}

TEST(LineThread, StoppingFinishesWhatWasHandedOverAndNothingRunsAfter)
{
    LineThreadBench bench;
    const auto timer = bench.line.createTimer();
    std::atomic<int> ticks = 0;
    timer->setInterval(1);
    timer->setOnTick([&] { ++ticks; });
    std::atomic<int> ran = 0;
    bench.onLine([&] {
        timer->setEnabled(true);
        std::this_thread::sleep_for(5ms);
    });
    for (int i = 0; i < 10; ++i)
        bench.onLine([&] { ++ran; });
    bench.line.stop();
    EXPECT_EQ(ran, 10);

    const int ticksAtStop = ticks;
    bench.onLine([&] { ++ran; });
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(ran, 10);
    EXPECT_EQ(ticks, ticksAtStop);
    bench.line.stop(); // once more: nothing to do
}

TEST(LineThread, AnExceptionOnTheLineIsRethrownOnTheWindowAndTheLineGoesOn)
{
    LineThreadBench bench;
    bench.onLine([] { throw std::runtime_error("the line failed"); });
    std::atomic<bool> after = false;
    bench.onLine([&] {
        after = true;
        bench.nudgeWindow();
    });
    try {
        bench.waitFor([] { return false; });
        ADD_FAILURE() << "nothing was rethrown";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "the line failed");
    }
    EXPECT_TRUE(bench.waitFor([&] { return after.load(); }));
}

} // namespace
} // namespace sus::test
