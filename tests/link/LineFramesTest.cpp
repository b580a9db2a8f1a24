// SPDX-License-Identifier: Apache-2.0
// Every frame the system sends, as the steps that send it, and the runner that puts them on a
// device: the reads, the changes of rate and parity and the writes, in their order, with their bytes.
#include "link/LineFrames.h"
#include "link/LineRunner.h"
#include "tests/link/LinkBench.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <vector>

namespace sus::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Op = SimulatedController::Op;

// One step as written down here: its kind, a change's rate (none: kept) and parity, a write's bytes.
struct FrameStep {
    LineStep::Kind kind;
    std::optional<std::uint32_t> baud;
    Parity parity = Parity::None;
    Bytes bytes;

    friend bool operator==(const FrameStep&, const FrameStep&) = default;
    friend std::ostream& operator<<(std::ostream& os, const FrameStep& s)
    {
        os << "kind" << static_cast<int>(s.kind) << " baud " << s.baud.value_or(0) << " parity "
           << static_cast<int>(s.parity) << " bytes";
        for (const std::uint8_t b : s.bytes)
            os << ' ' << static_cast<int>(b);
        return os;
    }
};

const FrameStep kRead{LineStep::Kind::ReadLine, std::nullopt, Parity::None, {}};
FrameStep change(std::optional<std::uint32_t> baud, Parity parity)
{
    return {LineStep::Kind::ChangeLine, baud, parity, {}};
}
FrameStep writeStep(Bytes bytes)
{
    return {LineStep::Kind::Write, std::nullopt, Parity::None, std::move(bytes)};
}

std::vector<FrameStep> stepsOf(const LineSteps& built)
{
    std::vector<FrameStep> steps;
    for (const LineStep& step : built.steps()) {
        const auto bytes = built.bytesOf(step);
        steps.push_back({step.kind, step.baudRate, step.parity, Bytes(bytes.begin(), bytes.end())});
    }
    return steps;
}

std::vector<FrameStep> concat(std::initializer_list<std::vector<FrameStep>> parts)
{
    std::vector<FrameStep> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(LineFrames, EachFrameIsTheStepsItHasAlwaysBeen)
{
    Bytes dmxSlots(513); // the start code 0, then levels that differ from slot to slot
    for (std::size_t i = 1; i < dmxSlots.size(); ++i)
        dmxSlots[i] = static_cast<std::uint8_t>(i * 7);
    const Bytes levels(dmxSlots.begin() + 1, dmxSlots.end());
    const Bytes zeros(100, 0);

    const std::vector<FrameStep> plainBreak{kRead, change(kBreakBaud, Parity::Space), writeStep({0}),
                                            change(kLineBaud, Parity::Mark)};
    // The zero goes out as a one-byte marked write at the slow rate, which leaves mark parity there.
    const std::vector<FrameStep> markedBreak{kRead,          change(kBreakBaud, Parity::Space),
                                             kRead,          change(std::nullopt, Parity::Space),
                                             writeStep({0}), change(std::nullopt, Parity::Mark),
                                             writeStep({}),  change(kLineBaud, Parity::Mark)};
    const auto marked = [](Bytes first, Bytes rest) {
        return std::vector<FrameStep>{kRead, change(std::nullopt, Parity::Space), writeStep(std::move(first)),
                                      change(std::nullopt, Parity::Mark), writeStep(std::move(rest))};
    };

    struct Case {
        const char* frame;
        std::function<void(LineSteps&)> build;
        std::vector<FrameStep> steps;
    };
    const Case cases[] = {
        {"update packet",
         [](LineSteps& s) {
             MarkedWrite(s, Bytes{0x55, 0x00, 0x01});
         },
         marked({0x55}, {0x00, 0x01})},
        {"one byte marked", [](LineSteps& s) { MarkedWrite(s, Bytes{0x55}); }, marked({0x55}, {})},
        {"nothing marked", [](LineSteps& s) { MarkedWrite(s, Bytes{}); }, {}},
        {"break, plain", [](LineSteps& s) { BreakByte(s, BreakForm::PlainWrite); }, plainBreak},
        {"break, marked", [](LineSteps& s) { BreakByte(s, BreakForm::MarkedWrite); }, markedBreak},
        {"DMX frame", [&](LineSteps& s) { DmxFrame(s, dmxSlots); },
         concat({plainBreak, {writeStep({0}), change(std::nullopt, Parity::Mark), writeStep(levels)}})},
        {"wake-up frame", [&](LineSteps& s) { WakeUpFrame(s, zeros); },
         concat({markedBreak, marked({0}, Bytes(99, 0))})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        LineSteps built;
        c.build(built);
        EXPECT_THAT(stepsOf(built), ::testing::ElementsAreArray(c.steps));

        // Built again in the same list, the frame is the same and nothing of the first is left.
        built.clear();
        c.build(built);
        EXPECT_THAT(stepsOf(built), ::testing::ElementsAreArray(c.steps));
    }
}

TEST(LineRunner, RunsEveryStepInOrderAndStopsAtTheFirstTheDeviceRefuses)
{
    const Bytes frame(513, 9);
    const auto opsOfAFrame = [&](LinkBench& bench) {
        LineSteps steps;
        DmxFrame(steps, frame);
        LineState record;
        const bool ran = runLineSteps(bench.devices, bench.link.handle(), record, steps);
        return std::make_pair(ran, bench.ops());
    };

    LinkBench whole;
    whole.openController();
    EXPECT_EQ(opsOfAFrame(whole), std::make_pair(true, std::vector<Op>{Op::GetLineState, Op::SetLineState,
                                                                       Op::Write, Op::SetLineState, Op::Write,
                                                                       Op::SetLineState, Op::Write}));

    // Pulled out while the start code goes: nothing more is asked of the device.
    LinkBench cut;
    cut.openController();
    cut.devices.unplugAfterBytes(1);
    EXPECT_EQ(opsOfAFrame(cut),
              std::make_pair(false, std::vector<Op>{Op::GetLineState, Op::SetLineState, Op::Write,
                                                    Op::SetLineState, Op::Write}));
    EXPECT_EQ(cut.devices.lastFault().kind, DeviceFault::Kind::Gone);

    LinkBench gone;
    gone.openController();
    gone.devices.detach("ttyUSB0");
    EXPECT_EQ(opsOfAFrame(gone), std::make_pair(false, std::vector<Op>{Op::GetLineState}));
}

} // namespace
} // namespace sus::test
