// SPDX-License-Identifier: Apache-2.0
#include "update/FileQueuePanel.h"

#include "core/Presenter.h"
#include "update/FileInformation.h"
#include "update/UpdateFileReader.h"
#include "update/UpdateMessages.h"
#include "update/UpdatePageView.h"

namespace sus {

FileQueuePanel::FileQueuePanel(UpdatePageView& view, Presenter& presenter,
                               std::function<bool()> controllerPresent)
    : view_(view), presenter_(presenter), controllerPresent_(std::move(controllerPresent))
{
}

void FileQueuePanel::SpeedButton1Click(const std::optional<std::string>& chosenPath)
{
    if (!chosenPath)
        return;
    view_.appendFile(*chosenPath);
    // With the first entry selected the new one is only queued; no selection counts as showing.
    if (view_.selectedIndex() == 0)
        return;
    if (show(*chosenPath, kCanNotOpenTheFile) && controllerPresent_())
        view_.setStartEnabled(true);
}

void FileQueuePanel::ListBox1Click()
{
    // The selection also "changes" to none when the list empties; there is nothing to show then.
    const int index = view_.selectedIndex();
    if (index < 0 || index >= view_.fileCount())
        return;
    if (show(view_.fileAt(index), kFileCanNotOpen) && controllerPresent_()) {
        view_.setStartEnabled(true);
        view_.setStopEnabled(false);
    }
}

void FileQueuePanel::ListBox1DblClick()
{
    const int index = view_.selectedIndex();
    if (index >= 0 && index < view_.fileCount())
        view_.removeFile(index);
}

bool FileQueuePanel::show(const std::string& path, std::string_view message)
{
    if (ShowFileInformation(path))
        return true;
    presenter_.showFileError(fileFailureText(message, path, lastFailureReason_));
    return false;
}

bool FileQueuePanel::ShowFileInformation(const std::string& utf8Path)
{
    UpdateImageLoad load = loadUpdateHeader(utf8Path);
    if (!load) {
        lastFailureReason_ = std::move(load.failureReason);
        return false;
    }
    lastFailureReason_.clear();
    shownImage_ = std::move(*load.image);

    view_.setInformationLines(shownInformationLines(shownImage_));
    return true;
}

} // namespace sus
