// SPDX-License-Identifier: Apache-2.0
#include "cli/UnfinishedRun.h"

#include <algorithm>

namespace sus::cli {
namespace {

std::string filesBefore(unsigned count, const char* which)
{
    return "the " + std::to_string(count) + " file(s) " + which + " were sent whole";
}

} // namespace

std::string unfinishedRunText(const RunProgress& progress, bool interrupted,
                              const std::function<std::string(std::size_t)>& sendAgainFrom)
{
    if (interrupted && progress.outcome == RunOutcome::Finished)
        return "Ctrl+C came as the run finished: every file was sent and the fixture told to reset.";
    const bool refused =
        progress.ending == RunEnding::PasswordWrong || progress.ending == RunEnding::FileRefused;
    const auto inHand = static_cast<std::size_t>(std::max(progress.fileIndex, 0));
    std::string text = interrupted ? "Stopped by Ctrl+C " : "The run ended ";
    std::string next;
    if (progress.sent.wakeUpFrames == 0 || progress.fileNumber == 0) {
        text += progress.sent.wakeUpFrames == 0
                    ? "before the first wake-up frame"
                    : "while waking the fixtures (" + std::to_string(progress.sent.wakeUpFrames) + " of " +
                          std::to_string(progress.wakeUpFramesTotal) +
                          " wake-up frames out); no file was sent";
        next = "To send the files: " + sendAgainFrom(inHand);
    } else if (refused) {
        text += "at " + progress.filePath + ", which was not sent; " +
                filesBefore(progress.sent.filesWhole, "before it");
        next = "Once it can be sent, send it and the files after it: " + sendAgainFrom(inHand);
    } else if (progress.sent.filesWhole == progress.fileNumber) {
        text += "after " + progress.filePath + "; " + filesBefore(progress.sent.filesWhole, "up to it");
        if (progress.fileNumber < progress.filesInRun)
            next = "The files after it are still to be sent: " + sendAgainFrom(inHand + 1);
    } else {
        const std::uint64_t percent =
            progress.fileSize == 0 ? 0 : progress.fileSent * 100 / progress.fileSize;
        text += "during " + progress.filePath + ", with " + std::to_string(progress.fileSent) + " of " +
                std::to_string(progress.fileSize) + " bytes of it out (" + std::to_string(percent) + "%); " +
                filesBefore(progress.sent.filesWhole, "before it");
        next = progress.filePath + " must be sent again from its start: " + sendAgainFrom(inHand);
    }
    text += progress.sent.abortUpdate ? ". AbortUpdate went out."
            : interrupted             ? ". No AbortUpdate went out: the run had ended already."
                                      : ". No AbortUpdate went out.";
    return next.empty() ? text : text + "\n" + next;
}

} // namespace sus::cli
