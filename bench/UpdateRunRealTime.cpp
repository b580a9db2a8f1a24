// An update run of a 64 KiB image in real time: the sequencer stepped by a precise Qt timer on the
// event loop, writing to the simulated controller on the wall clock. Prints how long the run took
// against the schedule's nominal time, how late the ticks came, how long other events waited for the
// loop meanwhile, and whether the fixture received the image intact. Timings are printed, never judged:
// the exit code only says whether the image arrived (0) or not (1).
//
//   update_run_realtime_bench [image KiB, default 64]
#include "app/QtTimer.h"
#include "bench/EventLoopProbe.h"
#include "bench/ProcessCpu.h"
#include "bench/Statistics.h"
#include "bench/TickRecorder.h"
#include "sim/SteadyClock.h"
#include "tests/update/UpdateRunBench.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace sus;
using namespace std::chrono_literals;

constexpr std::size_t kDefaultImageKiB = 64;
constexpr auto kProbePeriod = 3ms; // not a divisor of the 20 ms beat, so probes land at every phase of it
constexpr double kRatioTarget = 1.005;
constexpr std::int64_t kP99LatenessTargetNs = 2 * test::kMs;

// The same run in virtual time, where every tick comes exactly when due: the schedule's nominal time.
struct NominalRun {
    std::int64_t durationNs = 0;
    std::size_t packets = 0;
};

NominalRun runInVirtualTime(const test::UpdateFileBuilder& file)
{
    test::UpdateRunBench run;
    run.queue(file, "nominal.MVT");
    run.view.password = test::kPassword;
    const std::int64_t startNs = run.clock.nowNs();
    run.sequencer.SpeedButton2Click();
    run.runToEnd();
    return {.durationNs = run.clock.nowNs() - startNs, .packets = run.heard().packets.size()};
}

// The run in real time: the same parts as the window program's, but a headless page and no DMX output.
struct RealTimeRun {
    RealTimeRun()
    {
        devices.attach({.identity = "ttyUSB0"});
        link.discoverController();
    }

    SteadyClock clock;
    SimulatedController devices{clock};
    test::RecordingPresenter presenter;
    Link link{devices, presenter};
    QtTimer qtTimer;
    bench::TickRecorder timer1{qtTimer, clock};
    UpdateFiles files;
    test::FakeUpdatePageView view;
    LinkTurns turns{link};
    UpdateSequencer sequencer{files, link, turns, timer1, presenter, view};
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::size_t imageKiB = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : kDefaultImageKiB;
    const auto file = test::FileWithData(imageKiB * 1024);

    const NominalRun nominal = runInVirtualTime(file);

    RealTimeRun run;
    test::TempDir dir;
    run.view.files.push_back(test::utf8Of(file.writeTo(dir / "realtime.MVT")));
    run.view.password = test::kPassword;

    bench::EventLoopProbe probe(run.clock, kProbePeriod);
    bench::ProcessCpu cpu;
    std::int64_t startNs = 0;
    std::int64_t endNs = 0;
    bench::CpuUse cpuUse;
    std::int64_t runQueueWaitNs = bench::threadRunQueueWaitNs();
    const std::string loadBefore = bench::loadAverages();

    run.timer1.setAfterTick([&] {
        if (run.sequencer.runActive())
            return;
        endNs = run.clock.nowNs();
        cpuUse = cpu.elapsed();
        runQueueWaitNs = bench::threadRunQueueWaitNs() - runQueueWaitNs;
        probe.stop();
        app.quit();
    });
    QTimer::singleShot(0, [&] {
        probe.start();
        cpu.restart();
        startNs = run.clock.nowNs();
        run.sequencer.SpeedButton2Click();
    });
    // A run that never ends (it should not happen) must not hang the benchmark.
    QTimer::singleShot(static_cast<int>(2 * nominal.durationNs / test::kMs) + 10'000, [&] {
        std::puts("The run did not end in twice its nominal time.");
        app.exit(2);
    });
    if (const int result = app.exec(); result != 0)
        return result;

    const auto heard = VirtualFixture::listen(run.devices.txLine());
    const auto reception = UpdateReception::from(heard);
    const bool intact = reception.files.size() == 1 &&
                        reception.files.front().matches(run.files.updateImage(), run.files.imageKey()) &&
                        reception.finished && reception.badPackets == 0 && reception.outOfPlace == 0;

    const auto& ticks = run.timer1.ticks();
    const auto tickSummary = bench::Summary::of(bench::latenessesNs(ticks));
    const auto loopSummary = bench::Summary::of(probe.delaysNs());
    const std::int64_t runNs = endNs - startNs;
    const double ratio = static_cast<double>(runNs) / static_cast<double>(nominal.durationNs);

    std::printf("Update run in real time: %zu KiB image, %zu-byte file\n", imageKiB, file.bytes().size());
    std::printf("  load averages      %s before, %s after\n", loadBefore.c_str(),
                bench::loadAverages().c_str());
    std::printf("  run time           %s ms, nominal %s ms: ratio %.4f (target at most %.3f)\n",
                bench::milliseconds(static_cast<double>(runNs)).c_str(),
                bench::milliseconds(static_cast<double>(nominal.durationNs)).c_str(), ratio, kRatioTarget);
    std::printf(
        "  carried lateness   %s ms (ticks that set the beat from when they ran, and the last tick)\n",
        bench::milliseconds(static_cast<double>(bench::carriedLatenessNs(ticks))).c_str());
    std::printf("  tick lateness      %s over %zu ticks (target p99 at most %s ms)\n",
                tickSummary.percentilesInMs().c_str(), tickSummary.count,
                bench::milliseconds(static_cast<double>(kP99LatenessTargetNs)).c_str());
    std::printf("  work in a tick     %s\n",
                bench::Summary::of(bench::workTimesNs(ticks)).percentilesInMs().c_str());
    std::printf("  latest ticks       %s\n", bench::latestTicks(ticks, 3).c_str());
    std::printf("  event loop latency %s over %zu posted calls, one every %lld us\n",
                loopSummary.percentilesInMs().c_str(), loopSummary.count,
                static_cast<long long>(probe.period().count()));
    std::printf("  CPU                %.2f %% of one core (the probe's thread included); the loop's thread\n"
                "                     waited %s ms in all for a CPU while runnable\n",
                cpuUse.percentOfOneCore(), bench::milliseconds(static_cast<double>(runQueueWaitNs)).c_str());
    std::printf("  fixture            %zu packets (nominal run %zu), %zu wake-up frames, image %s, %s\n",
                heard.packets.size(), nominal.packets, reception.wakeUpFrames,
                intact ? "intact" : "NOT intact", reception.finished ? "finished" : "NOT finished");
    return intact ? 0 : 1;
}
