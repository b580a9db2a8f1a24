// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Presenter.h"

#include <functional>
#include <string>
#include <vector>

namespace sus::test {

// Records every modal message instead of showing it; each one counts as dismissed at once.
class RecordingPresenter : public Presenter {
public:
    enum class Kind { Message, FileError };
    struct Shown {
        Kind kind;
        std::string text;
        friend bool operator==(const Shown&, const Shown&) = default;
    };

    void showMessage(const std::string& text) override;
    void showFileError(const std::string& text) override;

    // Runs while a message is "on screen", before it counts as dismissed: lets a test look at the
    // system as the user sees it behind the box.
    std::function<void(const Shown&)> whileShown;

    std::vector<Shown> shown;
    std::vector<std::string> texts() const;
    void clear() { shown.clear(); }

private:
    void record(Kind kind, const std::string& text);
};

} // namespace sus::test
