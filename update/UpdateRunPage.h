// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateRunListener.h"

#include <string>

namespace sus {

class UpdatePageView;
class UpdateSequencer;

// The "Update" page's side of a run: its Start and Stop buttons, and what it shows of the run it
// hears of (the file in hand selected in ListBox1, ProgressBar1, the buttons). The window's thread.
class UpdateRunPage final : public UpdateRunListener {
public:
    // Follows the runs of `sequencer` on `view`.
    UpdateRunPage(UpdateSequencer& sequencer, UpdatePageView& view);

    // SpeedButton2 (Start): a run of the queue from the selected file on, with the password box's
    // password for every file. Start greys at once, so a second click cannot reach the run.
    void SpeedButton2Click();
    // SpeedButton3 (Stop).
    void SpeedButton3Click();

    // For Start's tooltip: how long a run of the queue from the selected file on takes; empty when
    // nothing in it can be sent.
    std::string runLengthNote() const;

    void updateRunStarted(const RunRequest& request) override;
    void updateRunProgressed(const RunProgress& progress) override;

private:
    // Start usable and Stop not; the bar back to 0 unless the ending keeps it.
    void showRunOver(bool keepsBar);

    UpdateSequencer& sequencer_;
    UpdatePageView& view_;
    int shownFile_ = -1;
    unsigned shownFileNumber_ = 0;
};

} // namespace sus
