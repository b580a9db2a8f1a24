// SPDX-License-Identifier: Apache-2.0
// Files that are not what an update file should be, met where the user meets them: adding or
// clicking a file in the queue, and the run that sends it. Each gets a message that says what is
// wrong; nothing crashes, nothing blocks, nothing of a refused file goes out, and no run that
// failed is reported as finished.
#include "core/Utf8Path.h"
#include "fuzz/UpdateFileCheck.h"
#include "tests/hardening/PeakMemory.h"
#include "tests/update/UpdateRunBench.h"
#include "update/FileQueuePanel.h"
#include "update/UpdateFileReader.h"
#include "update/UpdateMessages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sus::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;

// An update run bench with the queue's panel on the same page.
class BadInput : public ::testing::Test, protected UpdateRunBench {
protected:
    // Runs the queue from its first file with `password` to its end.
    UpdateReception run(const std::string& password = kPassword)
    {
        view.password = password;
        view.selected = 0;
        page.SpeedButton2Click();
        runToEnd();
        return reception();
    }

    // A sparse file of `size` bytes whose header is a real one (password "000000": all key bytes 0).
    std::string sparseFile(const std::string& name, std::uint64_t size)
    {
        const std::filesystem::path path = dir / name;
        writeFileBytes(path, UpdateFileBuilder().functionText("Large").bytes());
        std::error_code error;
        std::filesystem::resize_file(path, size, error);
        if (error)
            return {};
        return utf8Of(path);
    }

    // The run stopped at a file it could not send: it said `message` first, closed the link and
    // sent nothing of that file, and did not report a success.
    void expectRefusedBeforeSending(const UpdateReception& got, std::size_t filesSent,
                                    const std::string& message)
    {
        EXPECT_EQ(got.files.size(), filesSent);
        EXPECT_FALSE(got.finished);
        EXPECT_EQ(got.badPackets, 0u);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_THAT(presenter.shown[0].text, StartsWith(message));
        EXPECT_FALSE(link.isOpen());
        EXPECT_FALSE(sequencer.runActive());
        EXPECT_TRUE(dmx.available);
    }

    FileQueuePanel panel{view, presenter, [] { return true; }};
};

TEST_F(BadInput, FilesOf0_1And143BytesAreRefusedEverywhereAnd144IsAnUpdateFile)
{
    const std::vector<std::uint8_t> whole = FileWithData(0).bytes();
    for (const std::size_t size : {0u, 1u, 143u, 144u}) {
        // Shown, prepared with its own password and sent, or refused with the reason by both.
        SCOPED_TRACE(size);
        EXPECT_NO_THROW(fuzz::checkUpdateFile({whole.data(), size}));
    }

    writeFileBytes(dir / "one.MVT", {0x41});
    panel.SpeedButton1Click(utf8Of(dir / "one.MVT"));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].text,
              "Can not open the File!\n" + utf8Of(dir / "one.MVT") +
                  "\nThe file holds 1 bytes; an update file holds at least 144 (its header).");
}

TEST_F(BadInput, WhatIsNotAReadableFileGetsItsReasonInThePanelAndStopsTheRun)
{
    struct Case {
        std::string path;
        std::string reason;
    };
    std::vector<Case> cases{{utf8Of(dir.path()), "This is a folder, not a file."},
                            {utf8Of(dir / "gone.MVT"), "The file does not exist."}};
#ifndef _WIN32
    // A pipe would block the one thread on opening: it is refused by its kind, unopened.
    const std::filesystem::path pipe = dir / "pipe.MVT";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    cases.push_back({utf8Of(pipe), "This is not a regular file."});
    if (::geteuid() != 0) { // root reads files whatever their permissions
        const std::filesystem::path locked = FileWithData(10).writeTo(dir / "locked.MVT");
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        cases.push_back({utf8Of(locked), "The file cannot be opened for reading"});
    }
#endif
    const std::string good = queue(FileWithData(20), "good.MVT");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        UpdateRunBench bench;
        bench.view.files = {good, c.path};
        FileQueuePanel benchPanel(bench.view, bench.presenter, [] { return true; });
        bench.view.selected = 1;
        benchPanel.ListBox1Click();
        ASSERT_EQ(bench.presenter.shown.size(), 1u);
        EXPECT_EQ(bench.presenter.shown[0].kind, RecordingPresenter::Kind::FileError);
        EXPECT_THAT(bench.presenter.shown[0].text,
                    StartsWith("File can not open.\n" + c.path + "\n" + c.reason));
        EXPECT_EQ(bench.view.memo, std::vector<std::string>{"IC Function:"});

        bench.presenter.clear();
        bench.view.selected = 0;
        bench.view.password = kPassword;
        bench.page.SpeedButton2Click();
        bench.runToEnd();
        const UpdateReception got = bench.reception();
        ASSERT_EQ(got.files.size(), 1u); // the good file, whole
        EXPECT_TRUE(got.files[0].ended);
        EXPECT_FALSE(got.finished);
        ASSERT_EQ(bench.presenter.shown.size(), 1u);
        EXPECT_THAT(bench.presenter.shown[0].text,
                    StartsWith("Can not open the File!\n" + c.path + "\n" + c.reason));
        EXPECT_FALSE(bench.link.isOpen());
        EXPECT_FALSE(bench.sequencer.runActive());
    }
}

TEST_F(BadInput, PathWithBlanksAndNonAsciiCharactersIsShownAndSent)
{
    const auto file = FileWithData(300).functionText("Gr\xFCn");
    queue(file, "Ünïcode – spot 1 ✓.MVT");
    panel.ListBox1Click(); // nothing selected yet: nothing shown
    view.selected = 0;
    panel.ListBox1Click();
    EXPECT_EQ(view.memo.at(1), "  Gr\u00FCn");
    const UpdateReception got = run();
    ASSERT_EQ(got.files.size(), 1u);
    EXPECT_TRUE(got.files[0].matches(UpdateImage(file.bytes()), file.key()));
    EXPECT_TRUE(got.finished);
}

TEST_F(BadInput, AFileThatVanishesOrChangesAfterShowingIsSentAsItIsWhenItsTurnComes)
{
    const auto shown = FileWithData(300, 1);
    const std::string path = queue(shown, "f.MVT");
    view.selected = 0;
    panel.ListBox1Click();
    const std::vector<std::string> memo = view.memo;

    // Gone: the run says so and sends nothing of it.
    std::filesystem::remove(pathFromUtf8(path));
    expectRefusedBeforeSending(run(), 0, "Can not open the File!\n" + path + "\nThe file does not exist.");
    EXPECT_EQ(view.memo, memo); // the panel still shows what it showed

    // Replaced by other data under the same key: the run sends what is on disk now, exactly.
    const auto replaced = FileWithData(900, 9);
    replaced.writeTo(pathFromUtf8(path));
    presenter.clear();
    devices.clearTxLine();
    UpdateReception got = run();
    ASSERT_EQ(got.files.size(), 1u);
    EXPECT_TRUE(got.files[0].matches(UpdateImage(replaced.bytes()), replaced.key()));
    EXPECT_TRUE(got.finished);

    // Replaced by a file with another password: refused, nothing of it sent.
    FileWithData(300).keyBytes({1, 2, 3, 4, 5, 6}).writeTo(pathFromUtf8(path));
    presenter.clear();
    devices.clearTxLine();
    expectRefusedBeforeSending(run(), 0, std::string(kPasswordWrong));

    // Cut short: refused with its size.
    writeFileBytes(pathFromUtf8(path), std::vector<std::uint8_t>(100, 0));
    presenter.clear();
    devices.clearTxLine();
    expectRefusedBeforeSending(run(), 0, "Can not open the File!\n" + path + "\nThe file holds 100 bytes");
}

TEST_F(BadInput, AFileChangedOnDiskWhileItIsBeingSentGoesOutAsItWasRead)
{
    const auto original = FileWithData(3000, 1);
    const std::string path = queue(original, "f.MVT");
    view.password = kPassword;
    page.SpeedButton2Click();
    clock.runUntil([&] { return sequencer.script()->blockCounter() == 20; }, clock.nowNs() + 60'000 * kMs);
    FileWithData(5000, 2).writeTo(pathFromUtf8(path));
    runToEnd();
    const UpdateReception got = reception();
    ASSERT_EQ(got.files.size(), 1u);
    EXPECT_TRUE(got.files[0].matches(UpdateImage(original.bytes()), original.key()));
    EXPECT_TRUE(got.finished);
}

TEST_F(BadInput, TheLargestSendableFileIsSentAndOneByteMoreIsRefusedByItsSize)
{
    const std::string largest = sparseFile("largest.MVT", kMaximumSendableFileSize);
    const std::string tooLarge = sparseFile("too large.MVT", kMaximumSendableFileSize + 1);
    if (largest.empty() || tooLarge.empty())
        GTEST_SKIP() << "no sparse files here";

    view.files = {tooLarge};
    expectRefusedBeforeSending(run("000000"), 0,
                               "Can not open the File!\n" + tooLarge +
                                   "\nThe file holds 16773264 bytes; at most " +
                                   "16773263 can be sent in an update.");

    // The largest goes out: its blocks start at 16 and it would end with block 65535.
    view.files = {largest};
    presenter.clear();
    devices.clearTxLine();
    view.password = "000000";
    page.SpeedButton2Click();
    clock.runUntil(
        [&] {
            return sequencer.script()->blockCounter() == kFirstDataBlock + 1 &&
                   sequencer.script()->state() == SequencerState::DataBlock;
        },
        clock.nowNs() + 60'000 * kMs);
    EXPECT_EQ(files.updateImage().size(), static_cast<std::int32_t>(kMaximumSendableFileSize));
    EXPECT_EQ(LastDataBlockFor(kMaximumSendableFileSize), kLastDataBlock);
    page.SpeedButton3Click();
    runToEnd();
    const UpdateReception got = reception();
    ASSERT_EQ(got.files.size(), 1u);
    EXPECT_THAT(got.files[0].blockTypes, ElementsAre(16, 16, 17, 17));
    EXPECT_TRUE(got.aborted);
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(BadInput, AGigabyteFileIsShownFromItsHeaderAndRefusedForSendingBeforeItIsRead)
{
    const std::string huge = sparseFile("huge.MVT", kGiB);
    if (huge.empty())
        GTEST_SKIP() << "no sparse files here";
    const std::int64_t peakBefore = peakResidentBytes();

    panel.SpeedButton1Click(huge);
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(view.memo.at(1), "  Large");
    EXPECT_EQ(panel.shownImage().size(), 144);

    view.files = {huge};
    expectRefusedBeforeSending(run("000000"), 0,
                               "Can not open the File!\n" + huge +
                                   "\nThe file holds 1073741824 bytes; at most " +
                                   "16773263 can be sent in an update.");
    EXPECT_TRUE(files.updateImage().empty());
    // Neither read it into memory: a gigabyte held even once would show here.
    EXPECT_LT(peakResidentBytes() - peakBefore, 64 << 20);
}

} // namespace
} // namespace sus::test
