// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdatePageView.h"

#include <functional>
#include <string>
#include <vector>

namespace sus::cli {

// The "Update" page without a window: the queue is the files named on the command line, the
// password box holds --password, and the panel's lines and the bar's position are kept for the
// command to print. The buttons have no one to show them to.
class HeadlessUpdatePage : public UpdatePageView {
public:
    HeadlessUpdatePage() = default;
    HeadlessUpdatePage(std::vector<std::string> files, std::string password);

    int fileCount() const override { return static_cast<int>(files_.size()); }
    std::string fileAt(int index) const override { return files_.at(static_cast<std::size_t>(index)); }
    void appendFile(const std::string& path) override { files_.push_back(path); }
    void removeFile(int index) override;
    int selectedIndex() const override { return selected_; }
    void setSelectedIndex(int index) override
    {
        selected_ = index;
        waking_ = false;
    }
    void setInformationLines(const std::vector<std::string>& lines) override { informationLines_ = lines; }
    void setStartEnabled(bool) override {}
    void setStopEnabled(bool) override {}
    std::string passwordText() const override { return password_; }
    void setProgress(int percent) override;
    void showWakeUpFrames(unsigned sent, unsigned total) override;

    const std::vector<std::string>& informationLines() const { return informationLines_; }
    int progress() const { return progress_; }
    // Whether the run is sending its wake-up frames (until a file is selected), and how many are out.
    bool waking() const { return waking_; }
    unsigned wakeUpFramesSent() const { return wakeUpSent_; }
    unsigned wakeUpFramesTotal() const { return wakeUpTotal_; }
    // Runs at every setting of the bar, which the run does at each tick.
    void setOnProgress(std::function<void()> hook) { onProgress_ = std::move(hook); }

private:
    std::vector<std::string> files_;
    std::string password_;
    int selected_ = -1;
    std::vector<std::string> informationLines_;
    int progress_ = 0;
    bool waking_ = false;
    unsigned wakeUpSent_ = 0;
    unsigned wakeUpTotal_ = 0;
    std::function<void()> onProgress_;
};

} // namespace sus::cli
