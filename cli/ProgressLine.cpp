// SPDX-License-Identifier: Apache-2.0
#include "cli/ProgressLine.h"

#include "core/Utf8Path.h"

#include <algorithm>
#include <cstdio>

namespace sus::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr std::size_t kNameWidth = 28;

std::string fileName(const std::string& utf8Path)
{
    const std::u8string name = pathFromUtf8(utf8Path).filename().u8string();
    std::string text(name.begin(), name.end());
    if (text.size() > kNameWidth) {
        // Cut between characters, never inside one.
        std::size_t cut = kNameWidth - 3;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text = text.substr(0, cut) + "...";
    }
    return text;
}

std::string minutesAndSeconds(std::int64_t ms)
{
    const long long seconds = ms / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%2lld:%02lld", seconds / 60, seconds % 60);
    return text;
}

} // namespace

void ProgressLine::updateRunProgressed(const RunProgress& progress)
{
    if (closed_)
        return;
    if (progress.fileNumber == 0) {
        draw("waking the fixtures " + std::to_string(progress.sent.wakeUpFrames) + "/" +
             std::to_string(progress.wakeUpFramesTotal));
        return;
    }
    const int filled = std::clamp(progress.percent, 0, 100) * kBarWidth / 100;
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "] %3d%%  ", progress.percent);
    draw(fileName(progress.filePath) + " [" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + numbers +
         minutesAndSeconds(progress.fileMsLeft) + " left");
}

void ProgressLine::draw(std::string line)
{
    if (line == drawn_)
        return;
    // Blanks over what is left of a longer line drawn before.
    const std::size_t width = line.size();
    if (drawn_.size() > width)
        line += std::string(drawn_.size() - width, ' ');
    out_ << '\r' << line << std::flush;
    drawn_ = line.substr(0, width);
}

void ProgressLine::close()
{
    closed_ = true;
    if (drawn_.empty())
        return;
    out_ << '\n' << std::flush;
    drawn_.clear();
}

} // namespace sus::cli
