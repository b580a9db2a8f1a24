// SPDX-License-Identifier: Apache-2.0
// The gaps of an update run on a busy machine, in virtual time: ticks that come late, and frames whose
// line changes before the first write take longer at one tick than at the next. On the wire, as the
// virtual fixture hears it, no frame ever starts sooner after the one before than in the schedule.
#include "tests/update/UpdateRunBench.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace sus::test {
namespace {

// The ticks of a run of one file of two blocks, from the first: 41 wake-up frames, the next file,
// 21 handshake rounds of four ticks (the last one starts the 1000 ms pause), the header's three
// ticks, then each block twice.
constexpr std::size_t kWakeUpTick = 17;
constexpr std::size_t kPauseTick = 41 + 1 + 84 - 1;
constexpr std::size_t kSecondHeaderTick = kPauseTick + 3;
constexpr std::size_t kSecondBlockTick = kSecondHeaderTick + 3;

// What the fixture heard of a run of one file of two blocks: when each frame and packet began, and
// whether the image arrived whole. Tick `lateTick` comes `lateNs` late; each line change takes
// `changeTime` of its number.
struct HeardRun {
    std::vector<std::int64_t> starts;
    bool intact = false;
};

HeardRun runOneFile(std::size_t lateTick, std::int64_t lateNs,
                    const std::function<std::int64_t(std::size_t change)>& changeTime)
{
    UpdateRunBench run;
    std::size_t ticks = 0;
    std::size_t changes = 0;
    run.clock.setLateness([&] { return ticks++ == lateTick ? lateNs : 0; });
    run.slowDevices.setChangeTime([&] { return changeTime(changes++); });
    const auto file = FileWithData(300);
    run.queue(file, "f.MVT");
    run.view.password = kPassword;
    run.page.SpeedButton2Click();
    run.runToEnd();
    HeardRun heard;
    for (const auto& item : run.heard().items)
        heard.starts.push_back(item.startNs);
    const UpdateReception got = run.reception();
    heard.intact =
        got.files.size() == 1 && got.files[0].matches(UpdateImage(file.bytes()), file.key()) && got.finished;
    return heard;
}

std::int64_t none(std::size_t)
{
    return 0;
}

TEST(UpdateRunGaps, NoFrameStartsSoonerAfterTheOneBeforeThanTheScheduleSaysWhateverRunsLate)
{
    struct Case {
        const char* busy;
        std::size_t lateTick;
        std::int64_t lateNs;
        std::function<std::int64_t(std::size_t)> changeTimes;
    };
    const auto byTurns = [](std::size_t change) { return change % 4 < 2 ? 3 * kMs : 0; };
    const Case cases[] = {
        {"a wake-up tick 60 ms late", kWakeUpTick, 60 * kMs, none},
        {"the tick that starts the 1000 ms pause 15 ms late", kPauseTick, 15 * kMs, none},
        {"the second header copy 7 ms late", kSecondHeaderTick, 7 * kMs, none},
        {"the second block's first copy 19 ms late", kSecondBlockTick, 19 * kMs, none},
        {"line changes of 3 ms and none by turns", 0, 0, byTurns},
        {"both", kSecondBlockTick, 2 * kMs, byTurns},
    };
    const HeardRun scheduled = runOneFile(0, 0, none);
    ASSERT_TRUE(scheduled.intact);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.busy);
        const HeardRun busy = runOneFile(c.lateTick, c.lateNs, c.changeTimes);
        EXPECT_TRUE(busy.intact);
        ASSERT_EQ(busy.starts.size(), scheduled.starts.size());
        std::string shortened;
        for (std::size_t i = 1; i < busy.starts.size() && shortened.empty(); ++i) {
            const std::int64_t gap = busy.starts[i] - busy.starts[i - 1];
            const std::int64_t planned = scheduled.starts[i] - scheduled.starts[i - 1];
            if (gap < planned)
                shortened = "frame " + std::to_string(i) + " came " + std::to_string(gap) +
                            " ns after the one before, not " + std::to_string(planned);
        }
        EXPECT_EQ(shortened, "");
    }
}

} // namespace
} // namespace sus::test
