// SPDX-License-Identifier: Apache-2.0
#include "cli/TerminalPresenter.h"

#include <algorithm>

namespace sus::cli {

std::string commandPrefix(const std::string& command)
{
    return "mvt " + command + ": ";
}

TerminalPresenter::TerminalPresenter(std::ostream& out, std::ostream& err, std::string command,
                                     std::vector<std::string> resultTexts)
    : out_(out), err_(err), prefix_(commandPrefix(command)), resultTexts_(std::move(resultTexts))
{
}

void TerminalPresenter::showMessage(const std::string& text)
{
    const bool isResult = std::ranges::find(resultTexts_, text) != resultTexts_.end();
    write(isResult ? out_ : err_, text);
}

void TerminalPresenter::showFileError(const std::string& text)
{
    write(err_, text);
}

void TerminalPresenter::write(std::ostream& stream, const std::string& text)
{
    if (beforeMessage_)
        beforeMessage_();
    stream << (&stream == &err_ ? prefix_ : std::string()) << text << '\n';
    stream.flush();
}

} // namespace sus::cli
