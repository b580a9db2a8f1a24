// SPDX-License-Identifier: Apache-2.0
#include "cli/SendRecord.h"

#include "cli/ExitCodes.h"
#include "cli/JsonFields.h"
#include "cli/UsbSerialNumber.h"
#include "update/UpdateFileCheck.h"
#include "update/UpdateFileLayout.h"
#include "update/UpdateMessages.h"
#include "update/UpdatePacket.h"

#include <QJsonArray>

#include <optional>

namespace sus::cli {
namespace {

QJsonObject result(const char* what)
{
    return {{QStringLiteral("result"), QString::fromLatin1(what)}};
}

// The data blocks of a file `size` bytes long, and how many of them had gone out when `sent` bytes
// of it had: a block counts once its first copy is out.
std::uint64_t blocksOf(std::uint64_t size)
{
    const std::uint64_t data =
        size > update_file::kImageDataOffset ? size - update_file::kImageDataOffset : 0;
    return (data + packet::kBlockPayload - 1) / packet::kBlockPayload;
}

QJsonObject cutResult(const RunProgress& progress)
{
    QJsonObject cut = result("cut");
    const std::uint64_t sentBlocks = blocksOf(progress.fileSent);
    cut[QStringLiteral("bytesSent")] = static_cast<qint64>(progress.fileSent);
    cut[QStringLiteral("blocksSent")] = static_cast<qint64>(sentBlocks);
    cut[QStringLiteral("blocks")] = static_cast<qint64>(blocksOf(progress.fileSize));
    return cut;
}

const char* endingOf(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::Finished:
        return "finished";
    case RunOutcome::Stopped:
        return "stopped";
    case RunOutcome::LinkFailed:
        return "unplugged";
    case RunOutcome::EmptyPassword:
    case RunOutcome::PasswordWrong:
    case RunOutcome::FileRefused:
    case RunOutcome::None:
        break;
    }
    return "refused";
}

// Passes everything on, and notes the answer.
class NotedKeepAwake final : public KeepAwake {
public:
    NotedKeepAwake(std::unique_ptr<KeepAwake> keepAwake, bool& held)
        : keepAwake_(std::move(keepAwake)), held_(held)
    {
    }

    void hold(Answered answered) override
    {
        keepAwake_->hold([this, answered = std::move(answered)](const Answer& answer) {
            held_ = answer.held;
            answered(answer);
        });
    }
    void release() override { keepAwake_->release(); }

private:
    std::unique_ptr<KeepAwake> keepAwake_;
    bool& held_;
};

} // namespace

std::unique_ptr<KeepAwake> SendRecord::keptAwakeBy(std::unique_ptr<KeepAwake> keepAwake)
{
    return std::make_unique<NotedKeepAwake>(std::move(keepAwake), keptAwake_);
}

SendRecord::SendRecord(std::string path, std::vector<std::string> files, std::vector<std::string> passwords)
    : path_(std::move(path)), files_(std::move(files)), passwords_(std::move(passwords)),
      startedAt_(utcNow()), results_(files_.size(), result("notSent"))
{
}

void SendRecord::setPort(const std::string& port)
{
    port_ = port;
    usbSerialNumber_ = usbSerialNumberOf(port);
}

std::string SendRecord::refusalOf(std::size_t index, bool passwordWrong) const
{
    if (passwordWrong)
        return std::string(kPasswordWrong);
    return checkUpdateFile(files_[index], std::nullopt).reason;
}

void SendRecord::refusedBeforeRun(const std::vector<std::size_t>& problems)
{
    for (const std::size_t index : problems) {
        const std::optional<std::string> password =
            passwords_.empty() ? std::nullopt : std::optional<std::string>(passwords_[index]);
        const bool wrong =
            checkUpdateFile(files_[index], password).verdict == UpdateFileCheck::Verdict::PasswordWrong;
        results_[index] = result("refused");
        results_[index][QStringLiteral("reason")] = QString::fromStdString(refusalOf(index, wrong));
    }
    ending_ = QStringLiteral("refused");
}

void SendRecord::updateRunEnded(const RunProgress& progress)
{
    // The run covers every file from the first: its file numbers count the queue from 1.
    for (std::size_t index = 0; index < progress.sent.filesWhole && index < results_.size(); ++index)
        results_[index] = result("sent");
    if (progress.fileNumber > progress.sent.filesWhole && progress.fileIndex >= 0) {
        const auto index = static_cast<std::size_t>(progress.fileIndex);
        const bool refused =
            progress.outcome == RunOutcome::PasswordWrong || progress.outcome == RunOutcome::FileRefused;
        results_[index] = refused ? result("refused") : cutResult(progress);
        if (refused)
            results_[index][QStringLiteral("reason")] =
                QString::fromStdString(refusalOf(index, progress.outcome == RunOutcome::PasswordWrong));
    }
    ending_ = QString::fromLatin1(endingOf(progress.outcome));
    resetSent_ = progress.sent.finishUpdate;
    abortUpdateSent_ = progress.sent.abortUpdate;
}

QJsonObject SendRecord::json() const
{
    QJsonArray files;
    for (std::size_t index = 0; index < files_.size(); ++index) {
        QJsonObject file = fileJson(files_[index], checkUpdateFile(files_[index], std::nullopt).version);
        for (auto field = results_[index].begin(); field != results_[index].end(); ++field)
            file[field.key()] = field.value();
        files.append(file);
    }
    return {{QStringLiteral("record"), QStringLiteral("send")},
            {QStringLiteral("program"), programJson()},
            {QStringLiteral("startedAt"), startedAt_},
            {QStringLiteral("endedAt"), endedAt_},
            {QStringLiteral("port"), textOrNull(port_)},
            {QStringLiteral("usbSerialNumber"), textOrNull(usbSerialNumber_)},
            {QStringLiteral("files"), files},
            {QStringLiteral("ending"), ending_},
            {QStringLiteral("resetSent"), resetSent_},
            {QStringLiteral("abortUpdateSent"), abortUpdateSent_},
            {QStringLiteral("keptAwake"), keptAwake_}};
}

int SendRecord::finish(int status)
{
    if (path_.empty())
        return status;
    endedAt_ = utcNow();
    // No run was heard of: the check refused it, or there was nothing to run it on.
    if (ending_.isEmpty())
        ending_ =
            status == exit_code::kNoController ? QStringLiteral("noController") : QStringLiteral("refused");
    return writeRecord(json(), path_, "send", status);
}

} // namespace sus::cli
