#pragma once

#include "core/Clock.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace sus::cli {

// The progress of an update run as one line redrawn in place on a terminal: the file in hand, a
// bar, the percentage and the time left for that file, estimated from how fast the bar has moved.
class ProgressLine {
public:
    ProgressLine(std::ostream& out, const Clock& clock);

    // The run is at `percent` (0 to 100) of the file at `path` (UTF-8).
    void show(const std::string& path, int percent);

    // Ends the line, so that what is written next starts on a line of its own.
    void finishLine();

private:
    std::string timeLeft(int percent) const;

    std::ostream& out_;
    const Clock& clock_;
    std::string path_;
    // Where the estimate starts: the first time the bar moved for this file.
    std::int64_t movedAtNs_ = -1;
    int movedFrom_ = 0;
    std::string drawn_;
};

} // namespace sus::cli
