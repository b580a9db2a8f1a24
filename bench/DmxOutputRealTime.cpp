// DMX output in real time: the output loop stepped by a precise Qt timer on the event loop, writing
// to the simulated controller on the wall clock, for 200 frames. Prints the frame period as the
// fixture sees it (from one break to the next, decoded from the line), how late the ticks came, and
// the process's CPU use while outputting. Timings are printed, never judged: the exit code only says
// whether every frame arrived whole with the universe's levels (0) or not (1).
//
//   dmx_output_realtime_bench [frames, default 200]
#include "app/QtTimer.h"
#include "bench/ProcessCpu.h"
#include "bench/Statistics.h"
#include "bench/TickRecorder.h"
#include "dmx/DmxOutputLoop.h"
#include "dmx/DmxOutputView.h"
#include "dmx/DmxUniverse.h"
#include "link/Link.h"
#include "sim/SimulatedController.h"
#include "sim/SteadyClock.h"
#include "sim/VirtualFixture.h"
#include "tests/support/RecordingPresenter.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace sus;

constexpr std::size_t kDefaultFrames = 200;
constexpr std::int64_t kPeriodNs = std::int64_t{kDmxFramePeriodMs} * 1'000'000;
constexpr std::int64_t kP99DeviationTargetNs = 1'000'000;
constexpr double kCpuTargetPercent = 2.0;

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
    for (std::size_t slot = kFirstLevelSlot; slot < kFirstLevelSlot + kSentLevelCount; ++slot)
        universe.setLevel(slot, static_cast<std::uint8_t>(slot * 7));
}

bool carriesUniverse(const WireFrame& frame, const DmxUniverse& universe)
{
    const std::size_t sentSlots = kFirstLevelSlot + kSentLevelCount;
    return frame.isDmx() && frame.bytes.size() == sentSlots &&
           std::memcmp(frame.bytes.data(), universe.frame(), sentSlots) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::size_t frames = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : kDefaultFrames;

    SteadyClock clock;
    SimulatedController devices{clock};
    test::RecordingPresenter presenter;
    Link link{devices, presenter};
    devices.attach({.identity = "ttyUSB0"});
    link.discoverController();
    presenter.clear();

    QtTimer qtTimer;
    bench::TickRecorder timer2{qtTimer, clock};
    DmxUniverse universe;
    fillLevels(universe);
    OutputBox box;
    LinkTurns turns{link};
    DmxOutputLoop loop{link, turns, timer2, presenter, universe, box};
    box.loop = &loop;

    bench::ProcessCpu cpu;
    bench::CpuUse cpuUse;
    std::int64_t runQueueWaitNs = bench::threadRunQueueWaitNs();
    const std::string loadBefore = bench::loadAverages();
    timer2.setAfterTick([&] {
        if (timer2.ticks().size() < frames)
            return;
        box.uncheckOutputBox();
        cpuUse = cpu.elapsed();
        runQueueWaitNs = bench::threadRunQueueWaitNs() - runQueueWaitNs;
        app.quit();
    });
    QTimer::singleShot(0, [&] {
        cpu.restart();
        box.check();
    });
    app.exec();

    const FixtureLog heard = VirtualFixture::listen(devices.txLine());
    const auto dmxFrames = heard.dmxFrames();
    std::size_t intactFrames = 0;
    std::vector<std::int64_t> periods;
    std::vector<std::int64_t> deviations;
    for (std::size_t i = 0; i < dmxFrames.size(); ++i) {
        intactFrames += carriesUniverse(*dmxFrames[i], universe) ? 1 : 0;
        if (i == 0)
            continue;
        const std::int64_t period = dmxFrames[i]->breakStartNs - dmxFrames[i - 1]->breakStartNs;
        periods.push_back(period);
        deviations.push_back(std::abs(period - kPeriodNs));
    }
    const auto periodSummary = bench::Summary::of(periods);
    const auto deviationSummary = bench::Summary::of(deviations);
    const auto tickSummary = bench::Summary::of(bench::latenessesNs(timer2.ticks()));
    const bool intact = dmxFrames.size() == frames && intactFrames == frames && presenter.shown.empty();

    std::printf("DMX output in real time: %zu frames every %d ms\n", frames, kDmxFramePeriodMs);
    std::printf("  load averages      %s before, %s after\n", loadBefore.c_str(),
                bench::loadAverages().c_str());
    std::printf("  frame period       mean %s ms over %zu periods (target %s ms)\n",
                bench::milliseconds(periodSummary.meanNs).c_str(), periodSummary.count,
                bench::milliseconds(static_cast<double>(kPeriodNs)).c_str());
    std::printf("  period deviation   %s (target p99 at most %s ms)\n",
                deviationSummary.percentilesInMs().c_str(),
                bench::milliseconds(static_cast<double>(kP99DeviationTargetNs)).c_str());
    std::printf("  tick lateness      %s over %zu ticks\n", tickSummary.percentilesInMs().c_str(),
                tickSummary.count);
    std::printf("  work in a tick     %s\n",
                bench::Summary::of(bench::workTimesNs(timer2.ticks())).percentilesInMs().c_str());
    std::printf("  latest ticks       %s\n", bench::latestTicks(timer2.ticks(), 3).c_str());
    std::printf("  CPU                %.3f %% of one core over %.1f s (target under %.0f %%)\n",
                cpuUse.percentOfOneCore(), static_cast<double>(cpuUse.wallNs) / 1e9, kCpuTargetPercent);
    std::printf("  run-queue wait     %s ms in all: how long the loop's thread waited, runnable, for a CPU\n",
                bench::milliseconds(static_cast<double>(runQueueWaitNs)).c_str());
    std::printf("  fixture            %zu DMX frames, %zu with start code 0 and the universe's 512 levels\n",
                dmxFrames.size(), intactFrames);
    return intact ? 0 : 1;
}
