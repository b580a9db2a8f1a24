// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateRunListener.h"

#include <ostream>
#include <string>

namespace sus::cli {

// The progress of an update run as one line redrawn in place on a terminal: the wake-up frames,
// then the file in hand, a bar, the percentage and the time its data blocks still take.
class ProgressLine final : public UpdateRunListener {
public:
    explicit ProgressLine(std::ostream& out) : out_(out) {}

    void updateRunProgressed(const RunProgress& progress) override;

    // Ends the line and draws no more, so that what is written next starts on a line of its own.
    void close();

private:
    // Redraws the line as `line`, unless it reads so already.
    void draw(std::string line);

    std::ostream& out_;
    std::string drawn_;
    bool closed_ = false;
};

} // namespace sus::cli
