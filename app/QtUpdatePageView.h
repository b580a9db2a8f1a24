// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdatePageView.h"

namespace sus {

class TForm2;

// The "Update" page's controls as the file queue, the panel and the update run see them.
class QtUpdatePageView final : public UpdatePageView {
public:
    explicit QtUpdatePageView(TForm2& form) : form_(form) {}

    int fileCount() const override;
    std::string fileAt(int index) const override;
    void appendFile(const std::string& path) override;
    void removeFile(int index) override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;
    void setInformationLines(const std::vector<std::string>& lines) override;
    void setStartEnabled(bool enabled) override;
    void setStopEnabled(bool enabled) override;
    std::string passwordText() const override;
    void setProgress(int percent) override;

private:
    TForm2& form_;
};

} // namespace sus
