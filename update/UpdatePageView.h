// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <string>
#include <vector>

namespace sus {

// The controls of the "Update" page that the file queue and the panel drive. The window implements
// it over ListBox1, Memo1, Edit1, SpeedButton2, SpeedButton3 and ProgressBar1; tests use a fake. Texts are
// UTF-8.
class UpdatePageView {
public:
    virtual ~UpdatePageView() = default;

    // ListBox1: the queue of file paths.
    virtual int fileCount() const = 0;
    virtual std::string fileAt(int index) const = 0;
    virtual void appendFile(const std::string& path) = 0;
    virtual void removeFile(int index) = 0;

    // ListBox1's ItemIndex, -1 when nothing is selected. Setting it from code does not run
    // ListBox1Click.
    virtual int selectedIndex() const = 0;
    virtual void setSelectedIndex(int index) = 0;

    // Memo1: replaces all its lines.
    virtual void setInformationLines(const std::vector<std::string>& lines) = 0;

    // SpeedButton2 (Start) and SpeedButton3 (Stop).
    virtual void setStartEnabled(bool enabled) = 0;
    virtual void setStopEnabled(bool enabled) = 0;

    // Edit1: the typed password.
    virtual std::string passwordText() const = 0;

    // ProgressBar1, 0 to 100.
    virtual void setProgress(int percent) = 0;
};

} // namespace sus
