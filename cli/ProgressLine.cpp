#include "cli/ProgressLine.h"

#include "update/UpdateFileReader.h"

#include <cstdio>

namespace sus::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr std::size_t kNameWidth = 28;
constexpr std::int64_t kNsPerSecond = 1'000'000'000;

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

} // namespace

ProgressLine::ProgressLine(std::ostream& out, const Clock& clock) : out_(out), clock_(clock) {}

void ProgressLine::show(const std::string& path, int percent)
{
    if (path != path_) {
        path_ = path;
        movedAtNs_ = -1;
    }
    if (percent > 0 && movedAtNs_ < 0) {
        movedAtNs_ = clock_.nowNs();
        movedFrom_ = percent;
    }

    const int filled = percent * kBarWidth / 100;
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "] %3d%%  ", percent);
    std::string line = fileName(path) + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + numbers +
                       timeLeft(percent) + " left";
    if (line == drawn_)
        return;
    // Blanks over what is left of a longer line drawn before.
    const std::size_t width = line.size();
    if (drawn_.size() > width)
        line += std::string(drawn_.size() - width, ' ');
    out_ << '\r' << line << std::flush;
    drawn_ = line.substr(0, width);
}

void ProgressLine::finishLine()
{
    if (drawn_.empty())
        return;
    out_ << '\n' << std::flush;
    drawn_.clear();
}

std::string ProgressLine::timeLeft(int percent) const
{
    if (movedAtNs_ < 0 || percent <= movedFrom_)
        return "--:--";
    const std::int64_t elapsed = clock_.nowNs() - movedAtNs_;
    const std::int64_t seconds = elapsed * (100 - percent) / (percent - movedFrom_) / kNsPerSecond;
    char text[32];
    std::snprintf(text, sizeof text, "%2lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

} // namespace sus::cli
