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

std::string versionOf(const ReceivedFile& file)
{
    if (file.headerCopies.empty())
        return {};
    return hexDigit(file.newVersion() >> 4) + "." + hexDigit(file.newVersion()) + "." +
           hexByte(file.newRevision());
}

// What arrived of `received`, before anything is compared.
HeardFile heardOf(const ReceivedFile& received, HeardFile::Result result)
{
    HeardFile heard;
    heard.imageBytes = received.imageSize;
    heard.version = versionOf(received);
    heard.result = result;
    return heard;
}

HeardFile::Result resultOf(const ReceivedFile& received, bool intact)
{
    if (!received.ended)
        return HeardFile::Result::CutOff;
    return intact ? HeardFile::Result::Intact : HeardFile::Result::NotIntact;
}

// Compares what arrived with the file as it is on disk now.
HeardFile againstFile(const ReceivedFile& received, const std::string& path)
{
    HeardFile heard = heardOf(received, HeardFile::Result::Unreadable);
    heard.path = path;
    const UpdateImageLoad load = LoadUpdateImage(path);
    if (!load) {
        heard.reason = load.failureReason;
        return heard;
    }
    const UpdateImage& image = *load.image;
    heard.fileSize = static_cast<std::uint64_t>(image.size());
    heard.result = resultOf(received, received.arrivedWhole() &&
                                          received.matches(image, DeriveImageKey(image.keyBytes())));
    return heard;
}

std::string lineOf(const HeardFile& heard)
{
    using Result = HeardFile::Result;
    if (heard.result == Result::NotInQueue)
        return "(not in the queue)";
    if (heard.result == Result::Unreadable)
        return heard.path + ": " + heard.reason;
    std::string line = heard.path.empty() ? "heard " + std::to_string(heard.imageBytes) + " image bytes, "
                                          : heard.path + ": " + std::to_string(heard.fileSize) + " bytes, ";
    line += heard.version.empty() ? "no header block" : "version " + heard.version;
    return line + ", " +
           (heard.result == Result::CutOff   ? "cut off before its end"
            : heard.result == Result::Intact ? "image intact"
                                             : "image NOT intact");
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
        heard_.push_back(heardOf(file, resultOf(file, file.arrivedWhole())));
    else if (index < files_.size())
        heard_.push_back(againstFile(file, files_[index]));
    else
        heard_.push_back(heardOf(file, HeardFile::Result::NotInQueue));
}

std::string ReceptionReport::text(const UpdateReception& reception) const
{
    std::ostringstream text;
    text << "Update run ended: " << reception.wakeUpFrames << " wake-up frames, " << added_
         << " file(s) received, " << outcomeText(reception) << ".\n";
    for (std::size_t i = 0; i < heard_.size(); ++i)
        text << "  " << i + 1 << ". " << lineOf(heard_[i]) << "\n";
    if (added_ > heard_.size())
        text << "  and " << added_ - heard_.size() << " more file(s)\n";
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
