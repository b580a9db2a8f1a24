// SPDX-License-Identifier: Apache-2.0
// An update run of a 64 KiB image in real time, on each line in turn: the sequencer on the line's own
// thread as the programs run it, writing to the simulated controller and through the real serial
// backend to the model bridge, while the main thread's event loop plays the window; each line once
// with the line's thread first on the processors as the programs ask, and once as an ordinary thread,
// optionally beside busy loops of its own. Prints, for each, what the line's thread got, the shortest
// gap between two frames on the wire as a fraction of the schedule's, how long the run took against
// the schedule's nominal time and how far its last packet slipped, how
// late the ticks came beside a sleeping thread of the same time, how long the window's thread was
// kept by what each tick posted and how soon it got to it, the CPU used, and whether the fixture
// received the image intact. Timings are printed, never judged: the exit code only says whether
// every run's image arrived (0) or not (1); 2 for bad arguments.
//
//   update_run_realtime_bench [--line simulated|bridge]... [--priority program|ordinary]... [--load N]
//                             [image KiB, default 64]
#include "bench/BenchLine.h"
#include "bench/BenchLoop.h"
#include "bench/BenchOptions.h"
#include "bench/RunFigures.h"
#include "core/SteadyClock.h"
#include "tests/update/UpdateRunBench.h"
#include "update/UpdateRunListener.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

using namespace sus;
using namespace std::chrono_literals;

constexpr std::size_t kDefaultImageKiB = 64;
constexpr double kRatioTarget = 1.005;
constexpr double kShortestGapTarget = 1.0;
constexpr auto kSleepBeat = 20ms; // the sequencer's base tick

// The same run in virtual time, where every tick comes exactly when due: the schedule.
struct NominalRun {
    std::int64_t durationNs = 0;
    FixtureLog heard;
};

NominalRun runInVirtualTime(const test::UpdateFileBuilder& file)
{
    test::UpdateRunBench run;
    run.queue(file, "nominal.MVT");
    run.view.password = test::kPassword;
    const std::int64_t startNs = run.clock.nowNs();
    run.page.SpeedButton2Click();
    run.runToEnd();
    return {.durationNs = run.clock.nowNs() - startNs, .heard = run.heard()};
}

// How much later than in the schedule the last thing heard started, counted from the first.
std::int64_t lastItemSlipNs(const FixtureLog& heard, const FixtureLog& planned)
{
    if (heard.items.empty() || planned.items.empty())
        return 0;
    return (heard.items.back().startNs - heard.items.front().startNs) -
           (planned.items.back().startNs - planned.items.front().startNs);
}

// The shortest start-to-start of two frames on the wire, as a fraction of the same two in the schedule.
struct ShortestGap {
    double ofSchedule = 0;
    std::size_t frame = 0; // the later of the two, from 1
    std::int64_t heardNs = 0;
    std::int64_t plannedNs = 0;
};

ShortestGap shortestGap(const FixtureLog& heard, const FixtureLog& planned)
{
    ShortestGap shortest;
    const std::size_t frames = std::min(heard.items.size(), planned.items.size());
    for (std::size_t i = 1; i < frames; ++i) {
        const std::int64_t heardNs = heard.items[i].startNs - heard.items[i - 1].startNs;
        const std::int64_t plannedNs = planned.items[i].startNs - planned.items[i - 1].startNs;
        const double ofSchedule = static_cast<double>(heardNs) / static_cast<double>(plannedNs);
        if (shortest.frame == 0 || ofSchedule < shortest.ofSchedule)
            shortest = {ofSchedule, i + 1, heardNs, plannedNs};
    }
    return shortest;
}

// Calls back once the window has been told that the run ended.
struct RunEnd final : UpdateRunListener {
    void updateRunEnded(const RunProgress&) override { ended(); }
    std::function<void()> ended;
};

// The parts of the window program that an update run uses, on a line: no page, no DMX.
struct RealTimeRun {
    explicit RealTimeRun(bench::BenchLine& line) : line(line) { sequencer.addListener(end); }

    bench::BenchLine& line;
    SteadyClock clock;
    std::unique_ptr<Timer> timer = line.line().createTimer();
    bench::TickRecorder timer1{*timer, clock};
    bench::TimedWindow window{line.line().threads().window, clock, [this] { return timer1.ticks().size(); }};
    UpdateFiles files;
    RunRequest request;
    LinkTurns turns{line.link()};
    UpdateSequencer sequencer{files,
                              line.link(),
                              turns,
                              timer1,
                              line.presenter(),
                              Threads{line.line().threads().line, window},
                              line.line().clock()};
    RunEnd end;
};

bool runOn(bench::BenchLine& line, const std::string& path, const NominalRun& nominal)
{
    RealTimeRun run(line);
    run.request = {.files = {path}, .passwords = {test::kPassword}, .selectedIndex = 0};
    Executor& onLine = line.line().threads().line;

    bench::BenchLoop loop;
    std::optional<bench::SleepingThread> sleeper;
    std::optional<bench::MachineWatch> watch; // the line's thread's
    bench::MachineWatch::Figures machine;
    std::int64_t startNs = 0;
    std::int64_t endNs = 0;
    run.end.ended = [&] {
        endNs = run.clock.nowNs();
        onLine.post([&] { machine = watch->figures(); });
        loop.quit();
    };
    const auto limit = std::chrono::milliseconds(2 * nominal.durationNs / test::kMs) + 10s;
    const bool ended = loop.run(
        [&] {
            sleeper.emplace(kSleepBeat);
            onLine.post([&] { watch.emplace(); });
            startNs = run.clock.nowNs();
            run.sequencer.start(run.request);
        },
        limit);
    line.line().stop();
    const auto figures = bench::RunFigures::of(run.timer1.ticks(), run.window, *sleeper, machine);

    if (!ended) {
        std::printf("  the run did not end in twice its nominal time\n");
        for (const auto& text : line.presenter().texts())
            std::printf("  message: %s\n", text.c_str());
        return false;
    }
    const FixtureLog heard = line.heard();
    const auto reception = UpdateReception::from(heard);
    const bool intact = reception.files.size() == 1 &&
                        reception.files.front().matches(run.files.updateImage(), run.files.imageKey()) &&
                        reception.finished && reception.badPackets == 0 && reception.outOfPlace == 0;
    const std::int64_t runNs = endNs - startNs;
    const ShortestGap gap = shortestGap(heard, nominal.heard);
    std::printf(
        "  shortest gap       %.4f of the schedule's (target at least %.3f): frame %zu began %s ms after "
        "the one before, for %s\n",
        gap.ofSchedule, kShortestGapTarget, gap.frame,
        bench::milliseconds(static_cast<double>(gap.heardNs)).c_str(),
        bench::milliseconds(static_cast<double>(gap.plannedNs)).c_str());
    std::printf("  run time           %s ms: %.4f x nominal (target at most %.3f)\n",
                bench::milliseconds(static_cast<double>(runNs)).c_str(),
                static_cast<double>(runNs) / static_cast<double>(nominal.durationNs), kRatioTarget);
    std::printf("  last packet        %s ms behind the schedule, counted from the first frame\n",
                bench::milliseconds(static_cast<double>(lastItemSlipNs(heard, nominal.heard))).c_str());
    figures.print(nullptr);
    std::printf("  fixture            %zu packets (schedule %zu), %zu wake-up frames, image %s, %s\n",
                heard.packets.size(), nominal.heard.packets.size(), reception.wakeUpFrames,
                intact ? "intact" : "NOT intact", reception.finished ? "finished" : "NOT finished");
    return intact;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const auto options = bench::BenchOptions::parse(argc, argv, kDefaultImageKiB);
    if (!options)
        return 2;
    const auto file = test::FileWithData(options->count * 1024);
    const NominalRun nominal = runInVirtualTime(file);
    test::TempDir dir;
    const std::string path = test::utf8Of(file.writeTo(dir / "realtime.MVT"));

    std::printf(
        "Update run in real time: %zu KiB image, %zu-byte file, nominal %s ms; %d busy loop(s) beside\n",
        options->count, file.bytes().size(),
        bench::milliseconds(static_cast<double>(nominal.durationNs)).c_str(), options->load);
    const bool allIntact =
        bench::runEachLine(*options, [&](bench::BenchLine& line) { return runOn(line, path, nominal); });
    return allIntact ? 0 : 1;
}
