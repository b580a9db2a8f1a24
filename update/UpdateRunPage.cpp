// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateRunPage.h"

#include "update/RunPlan.h"
#include "update/UpdatePageView.h"
#include "update/UpdateSequencer.h"

namespace sus {

UpdateRunPage::UpdateRunPage(UpdateSequencer& sequencer, UpdatePageView& view)
    : sequencer_(sequencer), view_(view)
{
    sequencer_.addListener(*this);
}

void UpdateRunPage::SpeedButton2Click()
{
    // Greyed at the click, before the run can answer: a second click cannot reach it. A run that goes
    // on keeps it so; a Start refused with no run going gives it back.
    view_.setStartEnabled(false);
    if (!sequencer_.start(RunRequest::fromPage(view_)) && !sequencer_.runActive())
        view_.setStartEnabled(true);
}

void UpdateRunPage::SpeedButton3Click()
{
    if (sequencer_.runActive()) {
        sequencer_.stop();
        return;
    }
    // After a refused file Stop is still usable: it resets the page, with nothing to send.
    showRunOver(false);
}

std::string UpdateRunPage::runLengthNote() const
{
    const RunRequest request = RunRequest::fromPage(view_);
    if (request.filesOfRun().empty())
        return {};
    const std::optional<RunLength> length = lengthWhenPasswordsAreRight(request.files, request.selectedIndex);
    return length ? "A run of the queue from the selected file on takes " + runLengthText(*length) + "." : "";
}

void UpdateRunPage::updateRunStarted(const RunRequest& request)
{
    shownFile_ = request.selectedIndex;
    shownFileNumber_ = 0;
}

void UpdateRunPage::updateRunProgressed(const RunProgress& progress)
{
    if (progress.fileIndex != shownFile_ && progress.fileIndex >= 0)
        view_.setSelectedIndex(progress.fileIndex);
    shownFile_ = progress.fileIndex;
    view_.setProgress(progress.percent);
    if (progress.ending) {
        const RunEndingRule::Page page = ruleFor(*progress.ending).page;
        if (page != RunEndingRule::Page::AsItWas)
            showRunOver(page == RunEndingRule::Page::AsFinished);
        return;
    }
    // From the first wake-up frame, and again as each file is taken, the run holds Start and offers Stop.
    const bool fileTaken = progress.fileNumber != shownFileNumber_;
    shownFileNumber_ = progress.fileNumber;
    if ((progress.phase == RunProgress::Phase::Waking && progress.sent.wakeUpFrames > 0) || fileTaken) {
        view_.setStartEnabled(false);
        view_.setStopEnabled(true);
    }
}

void UpdateRunPage::showRunOver(bool keepsBar)
{
    view_.setStartEnabled(true);
    view_.setStopEnabled(false);
    if (!keepsBar)
        view_.setProgress(0);
}

} // namespace sus
