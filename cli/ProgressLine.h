// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace sus::cli {

// The progress of an update run as one line redrawn in place on a terminal: the file in hand, a
// bar, the percentage and the time its data blocks still take at the run's pace.
class ProgressLine {
public:
    explicit ProgressLine(std::ostream& out) : out_(out) {}

    // The run is at `percent` (0 to 100) of the file at `path` (UTF-8).
    void show(const std::string& path, int percent);
    // The run is waking the fixtures: `sent` of `total` wake-up frames are out.
    void showWakeUp(unsigned sent, unsigned total);

    // Ends the line, so that what is written next starts on a line of its own.
    void finishLine();

private:
    std::string timeLeft(int percent) const;
    // Redraws the line as `line`, unless it reads so already.
    void draw(std::string line);

    std::ostream& out_;
    std::string path_;
    std::uint64_t fileSize_ = 0; // 0: unknown
    std::string drawn_;
};

} // namespace sus::cli
