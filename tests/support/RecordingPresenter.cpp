// SPDX-License-Identifier: Apache-2.0
#include "tests/support/RecordingPresenter.h"

namespace sus::test {

void RecordingPresenter::showMessage(const std::string& text)
{
    record(Kind::Message, text);
}

void RecordingPresenter::showFileError(const std::string& text)
{
    record(Kind::FileError, text);
}

void RecordingPresenter::record(Kind kind, const std::string& text)
{
    shown.push_back({kind, text});
    if (whileShown)
        whileShown(shown.back());
}

std::vector<std::string> RecordingPresenter::texts() const
{
    std::vector<std::string> result;
    for (const Shown& s : shown)
        result.push_back(s.text);
    return result;
}

} // namespace sus::test
