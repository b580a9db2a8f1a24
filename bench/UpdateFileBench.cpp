// SPDX-License-Identifier: Apache-2.0
// Loading and showing a large update file: what adding or clicking a file in the queue costs, and
// what preparing it for sending costs. Prints the time per operation and the bytes each holder keeps.
#include "tests/support/FakeUpdatePageView.h"
#include "tests/support/RecordingPresenter.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"
#include "update/FileQueuePanel.h"
#include "update/UpdateFiles.h"
#include "update/UpdatePacket.h"

#include <benchmark/benchmark.h>

namespace {

// The largest image an update can carry, just under 16 MiB: a larger file is refused by its size.
constexpr std::size_t kImageSize = sus::kMaximumSendableFileSize - sus::update_file::kHeaderSize;

struct LargeFile {
    sus::test::TempDir dir;
    sus::test::UpdateFileBuilder builder = sus::test::UpdateFileBuilder()
                                               .keyBytes({0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2})
                                               .functionText("Benchmark")
                                               .newVersion(0x12, 0x05)
                                               .imageData(std::vector<std::uint8_t>(kImageSize, 0xA5));
    std::string path = sus::test::utf8Of(builder.writeTo(dir / "large 16 MiB.MVT"));
};

LargeFile& largeFile()
{
    static LargeFile file;
    return file;
}

void BM_ShowFileInformation(benchmark::State& state)
{
    sus::test::FakeUpdatePageView view;
    sus::test::RecordingPresenter presenter;
    sus::FileQueuePanel panel(view, presenter, [] { return true; });
    for (auto _ : state) {
        if (!panel.ShowFileInformation(largeFile().path))
            state.SkipWithError(panel.lastFailureReason().c_str());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * panel.shownImage().size());
    state.counters["held_bytes"] = static_cast<double>(panel.shownImage().storedBytes().size());
}
BENCHMARK(BM_ShowFileInformation)->Unit(benchmark::kMillisecond);

void BM_PrepareUpdateFile(benchmark::State& state)
{
    sus::UpdateFiles files;
    files.setCurrentFilePath(largeFile().path);
    files.setTypedPassword(largeFile().builder.password());
    for (auto _ : state) {
        if (files.PrepareUpdateFile() != sus::PrepareResult::Ready)
            state.SkipWithError("not ready");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * files.updateImage().size());
    state.counters["held_bytes"] = static_cast<double>(files.updateImage().storedBytes().size());
}
BENCHMARK(BM_PrepareUpdateFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
