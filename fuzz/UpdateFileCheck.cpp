// SPDX-License-Identifier: Apache-2.0
#include "fuzz/UpdateFileCheck.h"

#include "tests/support/UpdateFileBuilder.h"
#include "tests/update/UpdateRunBench.h"
#include "update/FileInformation.h"
#include "update/FileQueuePanel.h"
#include "update/UpdateFileLayout.h"
#include "update/UpdateMessages.h"

#include <algorithm>
#include <string>
#include <vector>

namespace sus::fuzz {
namespace {

using test::RecordingPresenter;
using test::UpdateRunBench;

void require(bool holds, const std::string& promise)
{
    if (!holds)
        throw CheckFailed(promise);
}

bool startsWith(const std::string& text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// What a file error box says first; the path and the reason follow on their own lines.
bool isFileFailure(const RecordingPresenter::Shown& shown, std::string_view message)
{
    return startsWith(shown.text, std::string(message) + "\n");
}

// Whether `text` is well-formed UTF-8, as the window's text controls need it.
bool isUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

KeyBytes keyBytesOf(std::span<const std::uint8_t> bytes)
{
    KeyBytes k{};
    for (std::size_t i = 0; i < k.size(); ++i) {
        const std::size_t at = update_file::kKeyBytesOffset + i;
        k[i] = at < bytes.size() ? bytes[at] : 0;
    }
    return k;
}

// Adding the file with nothing selected shows it: its four lines, or the "File Error" box.
void checkShowing(UpdateRunBench& bench, const std::string& path, bool isUpdateFile)
{
    const std::vector<std::string> before = bench.view.memo;
    FileQueuePanel panel(bench.view, bench.presenter, [] { return true; });
    panel.SpeedButton1Click(path);
    require(bench.view.files.size() == 1 && bench.view.files[0] == path, "the added file is queued once");
    require(bench.files.updateImage().empty(), "showing a file leaves the run's image alone");

    if (!isUpdateFile) {
        require(bench.presenter.shown.size() == 1 &&
                    bench.presenter.shown[0].kind == RecordingPresenter::Kind::FileError &&
                    isFileFailure(bench.presenter.shown[0], kCanNotOpenTheFile),
                "a short file gets the File Error box");
        require(bench.presenter.shown[0].text.find(std::to_string(update_file::kHeaderSize)) !=
                    std::string::npos,
                "the box says how long an update file must be");
        require(bench.view.memo == before, "a refused file leaves the panel as it was");
        require(!bench.view.startEnabled, "a refused file does not make Start usable");
        return;
    }
    require(bench.presenter.shown.empty(), "an update file is shown without a message");
    const std::vector<std::string>& memo = bench.view.memo;
    require(memo.size() == 4, "the panel shows four lines");
    require(memo[0] == "Function:", "line 1 reads Function:");
    require(startsWith(memo[1], "  "), "line 2 starts with two blanks");
    require(startsWith(memo[2], "New Version: V"), "line 3 starts with the new version");
    require(startsWith(memo[3], "Design By:  "), "line 4 starts with the designer");
    require(std::all_of(memo.begin(), memo.end(), isUtf8), "every line is UTF-8");
    require(bench.view.startEnabled, "a shown file makes Start usable with a controller");
}

// The run ends the way the file allows, and the fixture got exactly what the file carries.
void checkRun(UpdateRunBench& bench, std::span<const std::uint8_t> bytes, const std::string& path,
              bool isUpdateFile)
{
    bench.presenter.clear();
    bench.view.password = DeriveExpectedPassword(keyBytesOf(bytes));
    bench.page.SpeedButton2Click();
    require(bench.sequencer.runActive(), "the run starts");

    // The file is shown again while its data goes out; what is sent must not change.
    const bool reachedData = bench.clock.runUntil(
        [&] {
            return bench.sequencer.script()->state() == SequencerState::DataBlockAgain ||
                   !bench.sequencer.runActive();
        },
        bench.clock.nowNs() + 3'600'000 * test::kMs);
    require(reachedData, "the run reaches the data blocks or ends");
    if (bench.sequencer.runActive()) {
        FileQueuePanel panel(bench.view, bench.presenter, [] { return true; });
        panel.ListBox1Click();
    }
    bench.runToEnd();
    require(!bench.sequencer.runActive(), "the run ends");
    require(!bench.link.isOpen() && !bench.timer1->isEnabled(), "the link is closed and Timer1 stopped");
    require(bench.dmx.available, "DMX output is usable again");

    const UpdateReception got = bench.reception();
    require(got.wakeUpFrames == pacing::kWakeUpFrames, "41 wake-up frames");
    require(got.badPackets == 0 && got.outOfPlace == 0, "every packet arrives whole and in its place");
    require(!got.aborted, "nothing is aborted");

    if (!isUpdateFile) {
        require(bench.presenter.shown.size() == 1 &&
                    isFileFailure(bench.presenter.shown[0], kCanNotOpenTheFile) &&
                    bench.presenter.shown[0].text.find(path) != std::string::npos,
                "a short file stops the run with the file message, its path and its reason");
        require(got.files.empty() && !got.finished, "nothing of a short file is sent and no success is told");
        return;
    }
    require(bench.presenter.texts() == std::vector<std::string>{std::string(kUpdateFinished)},
            "the one message is the finish message");
    require(got.finished, "FinishUpdate goes out");
    require(got.files.size() == 1, "the fixture gets one file");
    const ReceivedFile& file = got.files[0];
    const UpdateImage image(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const std::uint8_t key = DeriveImageKey(image.keyBytes());
    require(file.ended && file.blocksInOrder, "every block twice, in order, then EndOfFile");
    require(file.identifyPackets == 3 * pacing::kHandshakeRounds, "the whole handshake");
    require(file.headerCopies.size() == 2 && file.headerCopies[0] == image.headerBlock(key) &&
                file.headerCopies[1] == image.headerBlock(key),
            "the header block twice, descrambled");
    require(file.blockTypes.size() == 2 * (LastDataBlockFor(bytes.size()) - kFirstDataBlock + 1),
            "as many blocks as the file needs");
    require(file.matches(image, key), "the reassembled image is the file's image, descrambled");
}

} // namespace

void checkUpdateFile(std::span<const std::uint8_t> bytes)
{
    UpdateRunBench bench;
    // Blanks and a non-ASCII character in the name, as users' files have them.
    const std::filesystem::path file = bench.dir / u8"Fuzz – update file.MVT";
    test::writeFileBytes(file, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const std::string path = test::utf8Of(file);
    const bool isUpdateFile = bytes.size() >= update_file::kHeaderSize;
    checkShowing(bench, path, isUpdateFile);
    checkRun(bench, bytes, path, isUpdateFile);
}

} // namespace sus::fuzz
