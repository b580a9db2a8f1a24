// SPDX-License-Identifier: Apache-2.0
// The Timer rules over an alarm source, on virtual time: a fake source whose clock the test moves,
// delivering each alarm when it is due or, to play a busy machine, some time after.
#include "core/AlarmTimer.h"
#include "tests/support/Milliseconds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

namespace sus {
namespace {

using test::kMs;

class FakeAlarm final : public AlarmSource {
public:
    std::int64_t nowNs() const override { return now_; }
    void arm(std::int64_t atNs) override { armedAt_ = atNs; }
    void disarm() override { armedAt_.reset(); }
    void setOnAlarm(std::function<void()> onAlarm) override { onAlarm_ = std::move(onAlarm); }

    // Moves the clock to `timeNs`, delivering on the way every alarm due by then, each `lateNs`
    // after its time.
    void runUntil(std::int64_t timeNs, std::int64_t lateNs = 0)
    {
        while (armedAt_ && *armedAt_ + lateNs <= timeNs) {
            now_ = *armedAt_ + lateNs;
            armedAt_.reset();
            onAlarm_();
        }
        now_ = std::max(now_, timeNs);
    }
    // An alarm delivered now, whatever is armed: one that was on its way when it was disarmed.
    void deliverNow() { onAlarm_(); }
    std::optional<std::int64_t> armedAt() const { return armedAt_; }

private:
    std::int64_t now_ = 1000 * kMs;
    std::optional<std::int64_t> armedAt_;
    std::function<void()> onAlarm_;
};

struct AlarmTimerTest : ::testing::Test {
    AlarmTimerTest()
    {
        timer.setOnTick([this] {
            ticks.push_back(alarm.nowNs() - startNs);
            if (onTick)
                onTick();
        });
    }

    FakeAlarm alarm;
    AlarmTimer timer{alarm};
    const std::int64_t startNs = alarm.nowNs();
    std::vector<std::int64_t> ticks; // from the start
    std::function<void()> onTick;
};

TEST_F(AlarmTimerTest, LateTicksKeepTheBeatOfTheirDueTimesAndAMissedBeatIsNotMadeUp)
{
    timer.setInterval(20);
    timer.setEnabled(true);
    alarm.runUntil(startNs + 61 * kMs, 1 * kMs);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{21 * kMs, 41 * kMs, 61 * kMs}));

    // Stalled past the next beat and the one after: one tick, then a whole interval.
    ticks.clear();
    alarm.runUntil(startNs + 125 * kMs, 45 * kMs);
    ASSERT_EQ(ticks, (std::vector<std::int64_t>{125 * kMs}));
    EXPECT_EQ(alarm.armedAt(), startNs + 145 * kMs);

    // Postponed, the beat goes on from the later time.
    timer.postpone(7 * kMs);
    ticks.clear();
    alarm.runUntil(startNs + 172 * kMs);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{152 * kMs, 172 * kMs}));
    timer.setEnabled(false);
    timer.postpone(7 * kMs);
    EXPECT_FALSE(alarm.armedAt());
}

TEST_F(AlarmTimerTest, ANewIntervalRestartsThePeriodFromWhenItIsSetAndTheSameOneLeavesIt)
{
    timer.setInterval(20);
    onTick = [this] {
        timer.setInterval(100); // from the second tick on the same 100 again
        timer.setEnabled(true); // already running
    };
    timer.setEnabled(true);
    alarm.runUntil(startNs + 230 * kMs, 2 * kMs);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{22 * kMs, 124 * kMs, 224 * kMs}));

    // Outside a tick, a new interval counts from that moment too.
    alarm.runUntil(startNs + 250 * kMs);
    timer.setInterval(40);
    EXPECT_EQ(alarm.armedAt(), startNs + 290 * kMs);
}

TEST_F(AlarmTimerTest, ADisabledTimerNeverTicksAndReenablingStartsANewPeriod)
{
    timer.setInterval(60);
    onTick = [this] { timer.setEnabled(false); };
    timer.setEnabled(true);
    alarm.runUntil(startNs + 1000 * kMs);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{60 * kMs}));
    EXPECT_FALSE(alarm.armedAt());

    // An alarm that was already on its way when the timer was disabled.
    alarm.deliverNow();
    EXPECT_EQ(ticks.size(), 1u);

    timer.setEnabled(true);
    EXPECT_EQ(alarm.armedAt(), startNs + 1060 * kMs);
}

TEST_F(AlarmTimerTest, ATickInsideItsOwnHandlerIsSkippedAndTheBeatGoesOn)
{
    int depth = 0;
    int deepest = 0;
    timer.setInterval(20);
    onTick = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        // A modal box's loop, during which the next beat comes.
        alarm.runUntil(alarm.nowNs() + 25 * kMs);
        --depth;
    };
    timer.setEnabled(true);
    alarm.runUntil(startNs + 20 * kMs);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{20 * kMs}));
    EXPECT_EQ(alarm.armedAt(), startNs + 60 * kMs);
}

TEST_F(AlarmTimerTest, AHandlerThatThrowsLeavesTheTimerRunning)
{
    timer.setInterval(20);
    onTick = [] { throw std::runtime_error("handler failed"); };
    timer.setEnabled(true);
    EXPECT_THROW(alarm.runUntil(startNs + 20 * kMs), std::runtime_error);
    onTick = {};
    alarm.runUntil(startNs + 40 * kMs);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{20 * kMs, 40 * kMs}));
}

TEST_F(AlarmTimerTest, AZeroIntervalTicksEveryMillisecond)
{
    timer.setEnabled(true);
    alarm.runUntil(startNs + 3 * kMs);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{1 * kMs, 2 * kMs, 3 * kMs}));
    EXPECT_EQ(timer.interval(), 0);
}

} // namespace
} // namespace sus
