// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/Interrupt.h"
#include "cli/LineSession.h"
#include "cli/ListenOptions.h"
#include "cli/ListenRecord.h"
#include "cli/TerminalPresenter.h"
#include "cli/WritableFile.h"
#include "core/SteadyClock.h"
#include "core/Utf8Path.h"
#include "link/serial/ReceivingPort.h"
#include "receive/LineWitness.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

namespace sus::cli {

namespace {

// Read in pieces of this size, so that a recording of any length passes through in the same memory.
constexpr std::size_t kReadPiece = 64 * 1024;
// How long a read of the port waits before Ctrl+C is looked at again.
constexpr int kPortWaitMs = 100;

// Where the heard stream is written as it was read, when --record asks for it.
class Recorder {
public:
    // Empty, or the system's reason why `path` cannot be written.
    std::string open(const std::string& path)
    {
        errno = 0;
        file_.open(pathFromUtf8(path), std::ios::binary);
        return file_ ? std::string() : lastSystemError();
    }
    void write(std::span<const std::uint8_t> bytes)
    {
        if (file_.is_open())
            file_.write(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<std::streamsize>(bytes.size()));
    }
    // False when something could not be written.
    bool close()
    {
        if (!file_.is_open())
            return true;
        file_.close();
        return !file_.fail();
    }

private:
    std::ofstream file_;
};

// Feeds a recorded stream to the witness: `file` when it is open, standard input otherwise; false
// when it could not be read to its end.
bool listenToInput(std::ifstream& file, const std::string& path, LineWitness& witness, Recorder& recorder,
                   std::string& error)
{
    std::FILE* in = stdin;
    std::vector<std::uint8_t> piece(kReadPiece);
    for (;;) {
        std::size_t count = 0;
        if (file.is_open()) {
            file.read(reinterpret_cast<char*>(piece.data()), static_cast<std::streamsize>(piece.size()));
            count = static_cast<std::size_t>(file.gcount());
        } else {
            count = std::fread(piece.data(), 1, piece.size(), in);
        }
        if (count == 0)
            break;
        const std::span<const std::uint8_t> bytes(piece.data(), count);
        recorder.write(bytes);
        witness.heard(bytes, 0);
    }
    if (file.is_open() ? file.bad() : std::ferror(in) != 0) {
        error = "\"" + path + "\" could not be read to its end.";
        return false;
    }
    return true;
}

// Listens on the port until Ctrl+C or until the port goes; false when it went.
bool listenToPort(ReceivingPort& port, LineWitness& witness, Recorder& recorder, std::string& error)
{
    catchInterrupt();
    const SteadyClock clock;
    const std::int64_t originNs = clock.nowNs();
    std::vector<std::uint8_t> piece;
    while (!takeInterrupt()) {
        piece.clear();
        const ReceivingPort::Read read = port.read(piece, kPortWaitMs, error);
        if (read == ReceivingPort::Read::Gone)
            return false;
        if (piece.empty())
            continue;
        recorder.write(piece);
        witness.heard(piece, clock.nowNs() - originNs);
    }
    return true;
}

} // namespace

int runListen(const QStringList& arguments)
{
    CommandParser command(
        QStringLiteral("listen"),
        QStringLiteral(
            "Listens to the DMX line through a second USB-UART wired to it (or reads a recording of one) and "
            "prints what it hears: DMX frames, wake-up frames and update packets, then what a fixture would "
            "have stored of each update file. Ctrl+C ends listening to a port."));
    const ListenOptionParser options(command.parser());
    if (const auto status = command.parse(arguments))
        return *status;
    QString problem;
    int refusal = exit_code::kUsage;
    std::optional<ListenSettings> settings = options.read(problem, refusal);
    if (!settings && refusal == exit_code::kUsage)
        return command.usageError(problem);
    if (!settings) {
        std::cerr << commandPrefix("listen") << problem.toStdString() << '\n';
        return refusal;
    }

    // A recording that cannot be read is refused before anything is reported of it or
    // recorded.
    std::ifstream recording;
    if (settings->port.empty() && settings->input != "-") {
        errno = 0;
        recording.open(pathFromUtf8(settings->input), std::ios::binary);
        if (!recording)
            return command.usageError(
                QStringLiteral("\"%1\" cannot be read: %2.")
                    .arg(QString::fromStdString(settings->input), QString::fromStdString(lastSystemError())));
    }
    Recorder recorder;
    if (const std::string why = settings->recordPath.empty() ? "" : recorder.open(settings->recordPath);
        !why.empty())
        return command.usageError(
            QStringLiteral("The record cannot be written to \"%1\": %2.")
                .arg(QString::fromStdString(settings->recordPath), QString::fromStdString(why)));
    const std::string& capturePath = settings->capturePath;

    std::unique_ptr<ReceivingPort> listenPort;
    if (!settings->port.empty()) {
        std::string error;
        listenPort = ReceivingPort::open(settings->port, error);
        if (!listenPort) {
            std::cerr << commandPrefix("listen") << "the port \"" << settings->port
                      << "\" cannot listen: " << error << ".\n";
            return exit_code::kNoController;
        }
    }

    if (listenPort) {
        // What the adapter's driver can tell decides what is checked; the stream may still show
        // otherwise.
        const std::optional<UsbId> id = listenPort->usbId();
        const AdapterFamily family = adapterFamilyOf(id, driverKernelRelease());
        settings->witness.adapter = family.status.value_or(LineStatus::PerCharacter);
        std::cerr << commandPrefix("listen") << "listening on " << settings->port << ", "
                  << adapterDescription(id, family) << ". Ctrl+C ends it with the report.\n";
    }
    ListenRecord record(settings->reportPath, settings->port, settings->input);
    // A record on standard output is the whole of it: what is heard goes to the error stream then.
    std::ostream& heardOut = record.onOutput() ? std::cerr : std::cout;
    LineWitness witness(heardOut, std::move(settings->witness));
    std::string error;
    const bool heardToTheEnd = listenPort
                                   ? listenToPort(*listenPort, witness, recorder, error)
                                   : listenToInput(recording, settings->input, witness, recorder, error);
    witness.finish();
    if (listenPort && !listenPort->adapterCounts().empty())
        heardOut << listenPort->adapterCounts() << "\n";
    if (!heardToTheEnd)
        std::cerr << commandPrefix("listen") << (listenPort ? "the port was lost: " : "") << error << "\n";

    bool written = recorder.close();
    if (!written)
        std::cerr << commandPrefix("listen") << "the record could not be written to \""
                  << settings->recordPath << "\".\n";
    if (!capturePath.empty() && !saveCapture(capturePath, witness.captured())) {
        std::cerr << commandPrefix("listen") << "the capture could not be written to \"" << capturePath
                  << "\".\n";
        written = false;
    }
    int status = exit_code::kSuccess;
    if (!heardToTheEnd)
        status = listenPort ? exit_code::kNoController : exit_code::kUsage;
    else if (!written || (witness.checksExpectation() && !witness.expectationMet()))
        status = exit_code::kFailure;
    return record.finish(witness, status);
}

} // namespace sus::cli
