#include "cli/TerminalPresenter.h"

#include <algorithm>

namespace sus::cli {

TerminalPresenter::TerminalPresenter(std::ostream& out, std::ostream& err,
                                     std::vector<std::string> resultTexts)
    : out_(out), err_(err), resultTexts_(std::move(resultTexts))
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
    stream << text << '\n';
    stream.flush();
}

} // namespace sus::cli
