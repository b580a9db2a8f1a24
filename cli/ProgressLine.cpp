// SPDX-License-Identifier: Apache-2.0
#include "cli/ProgressLine.h"

#include "core/Utf8Path.h"
#include "update/UpdateFileLayout.h"
#include "update/UpdateFileReader.h"
#include "update/UpdatePacket.h"
#include "update/UpdateSequencer.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace sus::cli {
namespace {

constexpr int kBarWidth = 30;
constexpr std::size_t kNameWidth = 28;
// Each data block goes out twice, one tick apart.
constexpr std::uint64_t kBlockMs = 2 * pacing::kBaseMs;

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

void ProgressLine::show(const std::string& path, int percent)
{
    if (path != path_) {
        path_ = path;
        std::error_code error;
        const auto size = std::filesystem::file_size(pathFromUtf8(path), error);
        fileSize_ = error ? 0 : size;
    }
    const int filled = std::clamp(percent, 0, 100) * kBarWidth / 100;
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "] %3d%%  ", percent);
    draw(fileName(path) + " [" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + numbers + timeLeft(percent) +
         " left");
}

void ProgressLine::showWakeUp(unsigned sent, unsigned total)
{
    draw("waking the fixtures " + std::to_string(sent) + "/" + std::to_string(total));
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

void ProgressLine::finishLine()
{
    if (drawn_.empty())
        return;
    out_ << '\n' << std::flush;
    drawn_.clear();
}

std::string ProgressLine::timeLeft(int percent) const
{
    if (fileSize_ < update_file::kHeaderSize)
        return "--:--";
    // The bar tells the position to a percent; blocks go out while the position is at most the size.
    const std::uint64_t position = std::max<std::uint64_t>(
        update_file::kImageDataOffset, fileSize_ * static_cast<std::uint64_t>(percent) / 100);
    const std::uint64_t blocksLeft =
        position > fileSize_ ? 0 : (fileSize_ - position) / packet::kBlockPayload + 1;
    const std::uint64_t seconds = blocksLeft * kBlockMs / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%2llu:%02llu", static_cast<unsigned long long>(seconds / 60),
                  static_cast<unsigned long long>(seconds % 60));
    return text;
}

} // namespace sus::cli
