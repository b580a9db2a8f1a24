// SPDX-License-Identifier: Apache-2.0
#include "cli/JsonFields.h"

#include "cli/ExitCodes.h"
#include "cli/TerminalPresenter.h"
#include "core/ProgramVersion.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonDocument>

#include <iostream>

namespace sus::cli {

QJsonObject programJson()
{
    return {{QStringLiteral("name"), QStringLiteral("mvt")},
            {QStringLiteral("version"), QString::fromUtf8(projectVersion())},
            {QStringLiteral("commit"), textOrNull(std::string(buildCommit()))}};
}

QString utcNow()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

QJsonValue textOrNull(const std::string& text)
{
    return text.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(QString::fromStdString(text));
}

QJsonObject fileJson(const std::string& path, const std::string& version)
{
    QJsonValue sha256(QJsonValue::Null);
    QJsonValue size(QJsonValue::Null);
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::ReadOnly)) {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (hash.addData(&file)) {
            sha256 = QString::fromLatin1(hash.result().toHex());
            size = static_cast<qint64>(file.size());
        }
    }
    return {{QStringLiteral("path"), QString::fromStdString(path)},
            {QStringLiteral("size"), size},
            {QStringLiteral("sha256"), sha256},
            {QStringLiteral("version"), textOrNull(version)}};
}

bool writeJson(const QJsonObject& document, const std::string& path, std::string& error)
{
    const QByteArray text = QJsonDocument(document).toJson(QJsonDocument::Indented);
    if (path == "-") {
        std::cout << text.toStdString() << std::flush;
        return static_cast<bool>(std::cout);
    }
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
        !file.flush()) {
        error = file.errorString().toStdString();
        return false;
    }
    return true;
}

int writeRecord(const QJsonObject& document, const std::string& path, const std::string& command, int status)
{
    std::string error;
    if (writeJson(document, path, error))
        return status;
    std::cerr << commandPrefix(command) << "the service record could not be written to \"" << path
              << "\": " << error << ".\n";
    return status == exit_code::kSuccess ? exit_code::kFailure : status;
}

void printJson(const QJsonObject& document)
{
    std::string unused;
    writeJson(document, "-", unused);
}

} // namespace sus::cli
