// SPDX-License-Identifier: Apache-2.0
#include "core/VirtualScheduler.h"
#include "tests/support/Milliseconds.h"

#include <gtest/gtest.h>

#include <vector>

namespace sus {
namespace {

using test::kMs;

TEST(VirtualScheduler, TicksComeOneIntervalApartFromEnabling)
{
    VirtualScheduler scheduler;
    auto timer = scheduler.createTimer();
    std::vector<std::int64_t> ticks;
    timer->setOnTick([&] { ticks.push_back(scheduler.nowNs()); });
    timer->setInterval(20);
    scheduler.advanceBy(5 * kMs);
    timer->setEnabled(true);
    scheduler.runUntil(65 * kMs);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{25 * kMs, 45 * kMs, 65 * kMs}));
}

TEST(VirtualScheduler, NewIntervalCountsFromTheTickThatSetItAndTheSameIntervalKeepsThePeriod)
{
    VirtualScheduler scheduler;
    auto timer = scheduler.createTimer();
    std::vector<std::int64_t> ticks;
    timer->setInterval(20);
    timer->setOnTick([&] {
        ticks.push_back(scheduler.nowNs());
        timer->setInterval(100); // the same 100 again from the second tick on
        timer->setEnabled(true); // already running: no restart
    });
    timer->setEnabled(true);
    scheduler.runUntil(220 * kMs);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{20 * kMs, 120 * kMs, 220 * kMs}));
}

TEST(VirtualScheduler, DisabledTimerNeverTicksAndReenablingStartsANewPeriod)
{
    VirtualScheduler scheduler;
    auto timer = scheduler.createTimer();
    int count = 0;
    timer->setInterval(60);
    timer->setOnTick([&] {
        ++count;
        timer->setEnabled(false);
    });
    timer->setEnabled(true);
    scheduler.runUntil(1000 * kMs);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(scheduler.nextDueNs(), -1);
    timer->setEnabled(true);
    EXPECT_EQ(scheduler.nextDueNs(), 1060 * kMs);
}

TEST(VirtualScheduler, TimersDueTogetherTickInCreationOrder)
{
    VirtualScheduler scheduler;
    auto first = scheduler.createTimer();
    auto second = scheduler.createTimer();
    std::vector<int> order;
    second->setOnTick([&] { order.push_back(2); });
    first->setOnTick([&] { order.push_back(1); });
    for (auto* t : {second.get(), first.get()}) {
        t->setInterval(30);
        t->setEnabled(true);
    }
    scheduler.runUntil(30 * kMs);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(VirtualScheduler, RunUntilPredicateStopsWhenDoneOrIdle)
{
    VirtualScheduler scheduler;
    auto timer = scheduler.createTimer();
    int count = 0;
    timer->setInterval(10);
    timer->setOnTick([&] { ++count; });
    timer->setEnabled(true);
    EXPECT_TRUE(scheduler.runUntil([&] { return count == 3; }, 1000 * kMs));
    EXPECT_EQ(scheduler.nowNs(), 30 * kMs);
    timer->setEnabled(false);
    EXPECT_FALSE(scheduler.runUntil([&] { return count == 4; }, 1000 * kMs));
}

} // namespace
} // namespace sus
