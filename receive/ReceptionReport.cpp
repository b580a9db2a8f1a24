// SPDX-License-Identifier: Apache-2.0
#include "receive/ReceptionReport.h"

#include "core/HexText.h"
#include "receive/UpdateReceiver.h"
#include "update/UpdateFileReader.h"

#include <sstream>

namespace sus {

namespace {

// Files listed one by one; a hostile stream of endless files is only counted beyond these.
constexpr std::size_t kFilesListed = 1000;

std::string versionText(const ReceivedFile& file)
{
    if (file.headerCopies.empty())
        return "no header block";
    return "version " + hexDigit(file.newVersion() >> 4) + "." + hexDigit(file.newVersion()) + "." +
           hexByte(file.newRevision());
}

std::string intactText(bool intact)
{
    return intact ? "image intact" : "image NOT intact";
}

// Compares what arrived with the file as it is on disk now.
std::string lineAgainstFile(const ReceivedFile& received, const std::string& path)
{
    const UpdateImageLoad load = LoadUpdateImage(path);
    if (!load)
        return path + ": " + load.failureReason;
    const UpdateImage& image = *load.image;
    const std::string line =
        path + ": " + std::to_string(image.size()) + " bytes, " + versionText(received) + ", ";
    if (!received.ended)
        return line + "cut off before its end";
    return line +
           intactText(received.arrivedWhole() && received.matches(image, DeriveImageKey(image.keyBytes())));
}

std::string lineAlone(const ReceivedFile& received)
{
    const std::string line =
        "heard " + std::to_string(received.imageSize) + " image bytes, " + versionText(received) + ", ";
    if (!received.ended)
        return line + "cut off before its end";
    return line + intactText(received.arrivedWhole());
}

std::string outcomeText(const UpdateReception& reception)
{
    if (reception.finished)
        return "the fixture was told to reset";
    if (reception.aborted)
        return "the run was stopped";
    return "the run ended before its end";
}

} // namespace

ReceptionReport::ReceptionReport(std::vector<std::string> files) : files_(std::move(files)) {}

void ReceptionReport::add(const ReceivedFile& file)
{
    const std::size_t index = added_++;
    if (index >= kFilesListed)
        return;
    if (files_.empty())
        lines_.push_back(lineAlone(file));
    else if (index < files_.size())
        lines_.push_back(lineAgainstFile(file, files_[index]));
    else
        lines_.push_back("(not in the queue)");
}

std::string ReceptionReport::text(const UpdateReception& reception) const
{
    std::ostringstream text;
    text << "Update run ended: " << reception.wakeUpFrames << " wake-up frames, " << added_
         << " file(s) received, " << outcomeText(reception) << ".\n";
    for (std::size_t i = 0; i < lines_.size(); ++i)
        text << "  " << i + 1 << ". " << lines_[i] << "\n";
    if (added_ > lines_.size())
        text << "  and " << added_ - lines_.size() << " more file(s)\n";
    for (std::size_t i = added_; i < files_.size(); ++i)
        text << "  " << i + 1 << ". " << files_[i] << ": not sent\n";
    if (reception.badPackets > 0)
        text << "  " << reception.badPackets << " packet(s) arrived damaged\n";
    return text.str();
}

std::string describeReception(const UpdateReception& reception, const std::vector<std::string>& files)
{
    ReceptionReport report(files);
    for (const ReceivedFile& file : reception.files)
        report.add(file);
    return report.text(reception);
}

} // namespace sus
