// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdatePageView.h"

#include <string>
#include <vector>

namespace sus::test {

// The "Update" page as plain data. Deleting the selected entry leaves nothing selected, as a list
// box does; the memo starts with the window's "IC Function:" line.
class FakeUpdatePageView : public UpdatePageView {
public:
    int fileCount() const override { return static_cast<int>(files.size()); }
    std::string fileAt(int index) const override { return files.at(static_cast<std::size_t>(index)); }
    void appendFile(const std::string& path) override { files.push_back(path); }
    void removeFile(int index) override
    {
        files.erase(files.begin() + index);
        if (selected == index)
            selected = -1;
        else if (selected > index)
            --selected;
    }
    int selectedIndex() const override { return selected; }
    void setSelectedIndex(int index) override { selected = index; }
    void setInformationLines(const std::vector<std::string>& lines) override { memo = lines; }
    void setStartEnabled(bool enabled) override { startEnabled = enabled; }
    void setStopEnabled(bool enabled) override { stopEnabled = enabled; }
    std::string passwordText() const override { return password; }
    void setProgress(int percent) override { progress = percent; }

    std::vector<std::string> files;
    int selected = -1;
    std::vector<std::string> memo{"IC Function:"};
    bool startEnabled = false;
    bool stopEnabled = false;
    std::string password;
    int progress = 0;
};

} // namespace sus::test
