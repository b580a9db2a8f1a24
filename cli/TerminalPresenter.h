// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Presenter.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace sus::cli {

// The system's messages in a terminal: no box and nobody to dismiss it. Messages go to the error
// stream, except the texts that are a command's result (the finish message of an update run),
// which go to the output stream. Each message ends with a line feed.
//
// Messages of the command line: "mvt <command>: " and the text, on the error stream.
std::string commandPrefix(const std::string& command);
class TerminalPresenter : public Presenter {
public:
    // `command` names the command ("send") before each message on the error stream, as every message
    // of mvt is named.
    TerminalPresenter(std::ostream& out, std::ostream& err, std::string command,
                      std::vector<std::string> resultTexts = {});

    void showMessage(const std::string& text) override;
    void showFileError(const std::string& text) override;

    // Runs before each message is written, so a progress line can make room for it.
    void setBeforeMessage(std::function<void()> hook) { beforeMessage_ = std::move(hook); }

private:
    void write(std::ostream& stream, const std::string& text);

    std::ostream& out_;
    std::ostream& err_;
    std::string prefix_;
    std::vector<std::string> resultTexts_;
    std::function<void()> beforeMessage_;
};

// Discards every message: for looking at devices without announcing them.
class SilentPresenter : public Presenter {
public:
    void showMessage(const std::string&) override {}
    void showFileError(const std::string&) override {}
};

} // namespace sus::cli
