// SPDX-License-Identifier: Apache-2.0
// DMX output in real time, on each line in turn: the output loop on the line's own thread as the
// programs run it, writing to the simulated controller and through the real serial backend to the
// model bridge, for 200 frames each, while the main thread's event loop plays the window. Prints, for
// each, the frame period as the fixture sees it (from one break to the next, decoded from the line)
// beside a sleeping thread of the same time, how late the ticks came, how long the window's thread
// was kept by what each tick posted and how soon it got to it, and the CPU used while outputting.
// Timings are printed, never judged: the exit code only says whether every frame arrived whole with
// the universe's levels (0) or not (1); 2 for bad arguments.
//
// Each line runs once with the line's thread first on the processors as the programs ask and once as
// an ordinary thread, optionally beside busy loops of its own.
//
//   dmx_output_realtime_bench [--line simulated|bridge]... [--priority program|ordinary]... [--load N]
//                             [frames, default 200]
#include "bench/BenchLine.h"
#include "bench/BenchLoop.h"
#include "bench/BenchOptions.h"
#include "bench/RunFigures.h"
#include "core/Nanoseconds.h"
#include "core/SteadyClock.h"
#include "dmx/DmxOutputLoop.h"
#include "dmx/DmxOutputView.h"
#include "dmx/DmxUniverse.h"
#include "link/LinkTurns.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

using namespace sus;
using namespace std::chrono_literals;

constexpr std::size_t kDefaultFrames = 200;
constexpr std::int64_t kPeriodNs = kDmxFramePeriodMs * kNsPerMs;
constexpr std::int64_t kP99DeviationTargetNs = 1 * kNsPerMs;

// "DMX Output" without a window: unchecking runs the loop's handler, as the check box does.
class OutputBox : public DmxOutputView {
public:
    void check()
    {
        checked_ = true;
        loop->CheckBox1Click(true);
    }
    void setOutputOffered(bool) override {}
    void uncheckOutputBox() override
    {
        if (!checked_)
            return;
        checked_ = false;
        loop->CheckBox1Click(false);
    }

    DmxOutputLoop* loop = nullptr;

private:
    bool checked_ = false;
};

// Levels that differ from slot to slot, so a shifted or truncated frame shows.
void fillLevels(DmxUniverse& universe)
{
    for (std::size_t slot = kFirstLevelSlot; slot < kSentSlotCount; ++slot)
        universe.setLevel(slot, static_cast<std::uint8_t>(slot * 7));
}

bool carriesUniverse(const WireFrame& frame, const DmxUniverse& universe)
{
    const DmxFrameSlots sent = universe.sentSlots();
    return frame.isDmx() && frame.bytes.size() == sent.size() &&
           std::memcmp(frame.bytes.data(), sent.data(), sent.size()) == 0;
}

// The parts of the window program that DMX output uses, on a line.
struct RealTimeOutput {
    explicit RealTimeOutput(bench::BenchLine& line) : line(line)
    {
        fillLevels(universe);
        box.loop = &loop;
    }

    bench::BenchLine& line;
    SteadyClock clock;
    std::unique_ptr<Timer> timer = line.line().createTimer();
    bench::TickRecorder timer2{*timer, clock};
    bench::TimedWindow window{line.line().threads().window, clock, [this] { return timer2.ticks().size(); }};
    DmxUniverse universe;
    OutputBox box;
    LinkTurns turns{line.link()};
    DmxOutputLoop loop{line.link(),
                       turns,
                       timer2,
                       line.presenter(),
                       universe,
                       box,
                       Threads{line.line().threads().line, window}};
};

bool runOn(bench::BenchLine& line, std::size_t frames)
{
    RealTimeOutput output(line);
    Executor& onLine = line.line().threads().line;
    Executor& onWindow = line.line().threads().window;

    bench::BenchLoop loop;
    std::optional<bench::SleepingThread> sleeper;
    std::optional<bench::MachineWatch> watch; // the line's thread's
    bench::MachineWatch::Figures machine;
    // The last frame's tick stops the timer where it ticks, so that no frame more goes out, and the
    // window's thread ends the measurement.
    output.timer2.setAfterTick([&] {
        if (output.timer2.ticks().size() < frames && output.timer2.isEnabled())
            return;
        output.timer2.setEnabled(false);
        machine = watch->figures();
        onWindow.post([&] { loop.quit(); });
    });
    const auto limit = std::chrono::milliseconds(2 * frames * kDmxFramePeriodMs) + 10s;
    const bool ended = loop.run(
        [&] {
            sleeper.emplace(std::chrono::milliseconds(kDmxFramePeriodMs));
            onLine.post([&] { watch.emplace(); });
            output.box.check();
        },
        limit);
    output.box.uncheckOutputBox();
    line.line().stop();
    const auto figures = bench::RunFigures::of(output.timer2.ticks(), output.window, *sleeper, machine);

    if (!ended) {
        std::printf("  output did not end in twice its nominal time\n");
        return false;
    }
    const FixtureLog heard = line.heard();
    const auto dmxFrames = heard.dmxFrames();
    std::size_t intactFrames = 0;
    std::vector<std::int64_t> periods;
    std::vector<std::int64_t> deviations;
    for (std::size_t i = 0; i < dmxFrames.size(); ++i) {
        intactFrames += carriesUniverse(*dmxFrames[i], output.universe) ? 1 : 0;
        if (i == 0)
            continue;
        const std::int64_t period = dmxFrames[i]->breakStartNs - dmxFrames[i - 1]->breakStartNs;
        periods.push_back(period);
        deviations.push_back(std::abs(period - kPeriodNs));
    }
    const auto periodSummary = bench::Summary::of(periods);
    const auto deviationSummary = bench::Summary::of(deviations);

    std::printf("  frame period       mean %s ms over %zu periods (target %s ms)\n",
                bench::milliseconds(periodSummary.meanNs).c_str(), periodSummary.count,
                bench::milliseconds(static_cast<double>(kPeriodNs)).c_str());
    std::printf("  period deviation   %s\n"
                "                     p99 %s (target at most %s ms on a quiet machine)\n",
                deviationSummary.percentilesInMs().c_str(),
                figures.againstSleeping(deviationSummary.p99Ns).c_str(),
                bench::milliseconds(static_cast<double>(kP99DeviationTargetNs)).c_str());
    figures.print("under 1 %");
    std::printf(
        "  fixture            %zu DMX frames, %zu with start code 0 and the universe's 512 levels%s\n",
        dmxFrames.size(), intactFrames, line.presenter().shown.empty() ? "" : "; a message was shown");
    return dmxFrames.size() == frames && intactFrames == frames && line.presenter().shown.empty();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const auto options = bench::BenchOptions::parse(argc, argv, kDefaultFrames);
    if (!options)
        return 2;
    std::printf("DMX output in real time: %zu frames every %d ms; %d busy loop(s) beside\n", options->count,
                kDmxFramePeriodMs, options->load);
    const bool allIntact =
        bench::runEachLine(*options, [&](bench::BenchLine& line) { return runOn(line, options->count); });
    return allIntact ? 0 : 1;
}
