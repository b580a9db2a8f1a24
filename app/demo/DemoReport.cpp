#include "app/demo/DemoReport.h"

#include "core/Executor.h"
#include "core/HexText.h"
#include "sim/SimulatedController.h"
#include "sim/UpdateReceiver.h"
#include "sim/VirtualFixture.h"
#include "update/UpdateFileLayout.h"
#include "update/UpdateFileReader.h"

#include <ostream>
#include <sstream>

namespace sus {

namespace {

std::string versionText(const ReceivedFile& file)
{
    if (file.headerCopies.empty())
        return "no header block";
    const auto& header = file.headerCopies.front();
    const std::uint8_t version = header[update_file::kNewVersionOffset - update_file::kHeaderBlockOffset];
    const std::uint8_t revision = header[update_file::kNewRevisionOffset - update_file::kHeaderBlockOffset];
    return "version " + hexDigit(version >> 4) + "." + hexDigit(version) + "." + hexByte(revision);
}

// Compares what arrived with the file as it is on disk now.
std::string fileLine(const ReceivedFile& received, const std::string& path)
{
    const UpdateImageLoad load = LoadUpdateImage(path);
    if (!load)
        return path + ": " + load.failureReason;
    const UpdateImage& image = *load.image;
    std::string line = path + ": " + std::to_string(image.size()) + " bytes, " + versionText(received) + ", ";
    if (!received.ended)
        return line + "cut off before its end";
    const bool intact = received.blocksInOrder && received.matches(image, DeriveImageKey(image.keyBytes()));
    return line + (intact ? "image intact" : "image NOT intact");
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

std::string describeReception(const UpdateReception& reception, const std::vector<std::string>& files)
{
    std::ostringstream text;
    text << "Update run ended: " << reception.wakeUpFrames << " wake-up frames, " << reception.files.size()
         << " file(s) received, " << outcomeText(reception) << ".\n";
    for (std::size_t i = 0; i < reception.files.size(); ++i) {
        const std::string path = i < files.size() ? files[i] : "(not in the queue)";
        text << "  " << i + 1 << ". " << fileLine(reception.files[i], path) << "\n";
    }
    for (std::size_t i = reception.files.size(); i < files.size(); ++i)
        text << "  " << i + 1 << ". " << files[i] << ": not sent\n";
    if (reception.badPackets > 0)
        text << "  " << reception.badPackets << " packet(s) arrived damaged\n";
    return text.str();
}

DemoReport::DemoReport(SimulatedController& controller, Executor& line, std::ostream& out)
    : controller_(controller), line_(line), out_(out)
{
}

void DemoReport::runStarted(std::vector<std::string> files)
{
    line_.post([this, files = std::move(files)] {
        files_ = files;
        running_ = true;
        forgetRecording();
    });
}

void DemoReport::runEnded()
{
    line_.post([this] {
        running_ = false;
        out_ << describeReception(UpdateReception::from(VirtualFixture::listen(controller_.txLine())), files_)
             << std::flush;
        forgetRecording();
    });
}

void DemoReport::forgetIdleTraffic()
{
    line_.post([this] {
        if (!running_)
            forgetRecording();
    });
}

void DemoReport::forgetRecording()
{
    controller_.clearTxLine();
    controller_.clearCalls();
}

} // namespace sus
