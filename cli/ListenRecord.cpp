// SPDX-License-Identifier: Apache-2.0
#include "cli/ListenRecord.h"

#include "cli/ExitCodes.h"
#include "cli/JsonFields.h"
#include "cli/UsbSerialNumber.h"
#include "receive/LineWitness.h"

#include <QJsonArray>

namespace sus::cli {
namespace {

const char* resultName(HeardFile::Result result)
{
    switch (result) {
    case HeardFile::Result::Intact:
        return "intact";
    case HeardFile::Result::NotIntact:
        return "notIntact";
    case HeardFile::Result::CutOff:
        return "cutOff";
    case HeardFile::Result::Unreadable:
        return "unreadable";
    case HeardFile::Result::NotInQueue:
        break;
    }
    return "notInQueue";
}

QJsonObject heardFileJson(const HeardFile& heard)
{
    // A file compared with is named as send names it; one heard alone has only what arrived.
    QJsonObject file = heard.path.empty()
                           ? QJsonObject{{QStringLiteral("path"), QJsonValue(QJsonValue::Null)},
                                         {QStringLiteral("size"), QJsonValue(QJsonValue::Null)},
                                         {QStringLiteral("sha256"), QJsonValue(QJsonValue::Null)}}
                           : fileJson(heard.path, {});
    file[QStringLiteral("version")] = heard.version.empty()
                                          ? QJsonValue(QJsonValue::Null)
                                          : QJsonValue(QString::fromStdString("V" + heard.version));
    file[QStringLiteral("imageBytesHeard")] = static_cast<qint64>(heard.imageBytes);
    file[QStringLiteral("result")] = QString::fromLatin1(resultName(heard.result));
    if (!heard.reason.empty())
        file[QStringLiteral("reason")] = QString::fromStdString(heard.reason);
    return file;
}

QString endingOf(const UpdateReception& reception, bool portLost)
{
    if (reception.finished)
        return QStringLiteral("finished");
    if (reception.aborted)
        return QStringLiteral("stopped");
    if (portLost)
        return QStringLiteral("unplugged");
    return reception.wakeUpFrames > 0 || reception.filesStarted > 0 ? QStringLiteral("cut")
                                                                    : QStringLiteral("nothingHeard");
}

} // namespace

ListenRecord::ListenRecord(std::string path, std::string port, std::string input)
    : path_(std::move(path)), port_(std::move(port)), input_(std::move(input)), startedAt_(utcNow())
{
}

QJsonObject ListenRecord::json(const LineWitness& witness, int status) const
{
    QJsonArray files;
    for (const HeardFile& heard : witness.heardFiles())
        files.append(heardFileJson(heard));
    const UpdateReception& reception = witness.reception();
    return {{QStringLiteral("record"), QStringLiteral("listen")},
            {QStringLiteral("program"), programJson()},
            {QStringLiteral("startedAt"), startedAt_},
            {QStringLiteral("endedAt"), utcNow()},
            {QStringLiteral("port"), textOrNull(port_)},
            {QStringLiteral("usbSerialNumber"), textOrNull(port_.empty() ? "" : usbSerialNumberOf(port_))},
            {QStringLiteral("input"), textOrNull(port_.empty() ? input_ : "")},
            {QStringLiteral("wakeUpFrames"), static_cast<qint64>(reception.wakeUpFrames)},
            {QStringLiteral("ninthBitsChecked"), witness.ninthBitsChecked()},
            {QStringLiteral("files"), files},
            {QStringLiteral("ending"), endingOf(reception, status == exit_code::kNoController)},
            {QStringLiteral("resetSent"), reception.finished},
            {QStringLiteral("abortUpdateSent"), reception.aborted},
            {QStringLiteral("expectation"),
             witness.checksExpectation()
                 ? QJsonValue(witness.expectationMet() ? QStringLiteral("met") : QStringLiteral("notMet"))
                 : QJsonValue(QJsonValue::Null)}};
}

int ListenRecord::finish(const LineWitness& witness, int status)
{
    if (path_.empty())
        return status;
    return writeRecord(json(witness, status), path_, "listen", status);
}

} // namespace sus::cli
