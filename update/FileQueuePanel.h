// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateImage.h"

#include <functional>
#include <optional>
#include <string>

namespace sus {

class Presenter;
class UpdatePageView;

// The file queue (ListBox1) and the information panel (Memo1) of the "Update" page: the handlers
// of the window, in plain C++ over the page's view.
// A shown file's header is read into the panel's own image, never into the UpdateImage a run sends
// from; the panel reads nothing else of the file, so showing a large one never holds up the window.
class FileQueuePanel {
public:
    // `controllerPresent` tells whether a controller was found ("OK"): only then does showing a
    // file make the Start button usable.
    FileQueuePanel(UpdatePageView& view, Presenter& presenter, std::function<bool()> controllerPresent);

    // SpeedButton1 ("Input Update Files"), after the window ran the open-file dialog: the chosen
    // path (UTF-8), or nothing when the user cancelled. Queues the path; shows it unless the first
    // entry is the selected one.
    void SpeedButton1Click(const std::optional<std::string>& chosenPath);

    // The selection of ListBox1 changed: shows the selected file.
    void ListBox1Click();

    // Double click in ListBox1: removes the selected entry; the panel keeps what it shows.
    void ListBox1DblClick();

    // Reads the file and writes its four lines into the panel; false (panel unchanged) when it
    // cannot be read, with the reason in lastFailureReason().
    bool ShowFileInformation(const std::string& utf8Path);

    const std::string& lastFailureReason() const { return lastFailureReason_; }

    // The header of the file the panel shows, or an empty image before the first.
    const UpdateImage& shownImage() const { return shownImage_; }

private:
    // Shows `path`; on failure shows `message` in the "File Error" box. True when shown.
    bool show(const std::string& path, std::string_view message);

    UpdatePageView& view_;
    Presenter& presenter_;
    std::function<bool()> controllerPresent_;
    UpdateImage shownImage_;
    std::string lastFailureReason_;
};

} // namespace sus
