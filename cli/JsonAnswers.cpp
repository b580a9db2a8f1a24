// SPDX-License-Identifier: Apache-2.0
#include "cli/JsonAnswers.h"

#include "cli/ExitCodes.h"
#include "cli/JsonFields.h"
#include "core/HexText.h"
#include "core/Windows1252.h"
#include "update/FileInformation.h"
#include "update/RunPlan.h"
#include "update/UpdateFileCheck.h"

#include <QJsonArray>

#include <optional>

namespace sus::cli {
namespace {

QJsonObject answer(const char* command)
{
    return {{QStringLiteral("command"), QString::fromLatin1(command)},
            {QStringLiteral("program"), programJson()}};
}

QString shown(const std::string& windows1252)
{
    return QString::fromStdString(windows1252ToUtf8(windows1252));
}

const char* verdictName(UpdateFileCheck::Verdict verdict)
{
    switch (verdict) {
    case UpdateFileCheck::Verdict::NoPasswordGiven:
        return "noPasswordGiven";
    case UpdateFileCheck::Verdict::PasswordRight:
        return "passwordRight";
    case UpdateFileCheck::Verdict::PasswordWrong:
        return "passwordWrong";
    case UpdateFileCheck::Verdict::UnlikeAnUpdateFile:
        return "unlikeAnUpdateFile";
    case UpdateFileCheck::Verdict::CannotOpen:
        break;
    }
    return "cannotBeSent";
}

} // namespace

QJsonObject infoJson(const std::string& path, const UpdateImageLoad& load)
{
    QJsonObject document = answer("info");
    if (!load) {
        document[QStringLiteral("file")] = fileJson(path, {});
        document[QStringLiteral("error")] = QString::fromStdString(load.failureReason);
        return document;
    }
    const InformationFields fields = informationFields(*load.image);
    document[QStringLiteral("file")] = fileJson(path, fields.newVersion);
    document[QStringLiteral("function")] = shown(fields.function);
    document[QStringLiteral("updateVersions")] = shown(fields.updateVersions);
    document[QStringLiteral("designer")] = shown(fields.designer);
    document[QStringLiteral("error")] = QJsonValue(QJsonValue::Null);
    return document;
}

QJsonObject checkJson(const std::vector<std::string>& paths, const std::vector<std::string>& passwords,
                      const FilesCheck& check)
{
    QJsonArray files;
    for (std::size_t index = 0; index < paths.size(); ++index) {
        const std::optional<std::string> password =
            passwords.empty() ? std::nullopt : std::optional<std::string>(passwords[index]);
        const UpdateFileCheck verdict = checkUpdateFile(paths[index], password);
        QJsonObject file = fileJson(paths[index], verdict.version);
        file[QStringLiteral("verdict")] = QString::fromLatin1(verdictName(verdict.verdict));
        file[QStringLiteral("reason")] = textOrNull(verdict.reason);
        files.append(file);
    }
    QJsonObject document = answer("check");
    document[QStringLiteral("files")] = files;
    document[QStringLiteral("exitStatus")] = check.exitStatus;
    // From Start to the end, as the lines' last says it; null when the run would be stopped.
    const std::optional<RunLength> length =
        check.exitStatus == exit_code::kSuccess ? lengthWhenPasswordsAreRight(paths, 0) : std::nullopt;
    document[QStringLiteral("runLengthMs")] =
        length ? QJsonValue(static_cast<qint64>(length->totalMs)) : QJsonValue(QJsonValue::Null);
    return document;
}

QJsonObject portsJson(const std::vector<PortEntry>& ports, const std::string& controllerIdentity)
{
    QJsonArray entries;
    for (const PortEntry& port : ports) {
        const auto idOrNull = [&port](std::uint16_t id) {
            return port.opened ? QJsonValue(QString::fromStdString(hexWord(id)))
                               : QJsonValue(QJsonValue::Null);
        };
        entries.append(QJsonObject{{QStringLiteral("port"), QString::fromStdString(port.port)},
                                   {QStringLiteral("vendorId"), idOrNull(port.vendorId)},
                                   {QStringLiteral("productId"), idOrNull(port.productId)},
                                   {QStringLiteral("controller"), port.controller},
                                   {QStringLiteral("cannotBeOpened"), textOrNull(port.whyNot)}});
    }
    QJsonObject document = answer("ports");
    document[QStringLiteral("ports")] = entries;
    document[QStringLiteral("controller")] = textOrNull(controllerIdentity);
    return document;
}

} // namespace sus::cli
