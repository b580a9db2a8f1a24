// SPDX-License-Identifier: Apache-2.0
#include "cli/FileChecks.h"

#include "cli/ExitCodes.h"
#include "cli/OptionTable.h"
#include "update/UpdateFileCheck.h"

namespace sus::cli {

FilesCheck checkFiles(const std::vector<std::string>& files, const std::vector<std::string>& passwords)
{
    FilesCheck result;
    for (std::size_t index = 0; index < files.size(); ++index) {
        const std::optional<std::string> password =
            passwords.empty() ? std::nullopt : std::optional<std::string>(passwords[index]);
        const UpdateFileCheck check = checkUpdateFile(files[index], password);
        std::string line = files[index] + ": ";
        int status = exit_code::kSuccess;
        switch (check.verdict) {
        case UpdateFileCheck::Verdict::CannotOpen:
            line += "cannot be sent. " + check.reason;
            status = exit_code::kFileRefused;
            break;
        case UpdateFileCheck::Verdict::UnlikeAnUpdateFile:
            line += check.reason;
            status = exit_code::kFileRefused;
            break;
        case UpdateFileCheck::Verdict::PasswordWrong:
            status = exit_code::kPasswordWrong;
            [[fallthrough]];
        case UpdateFileCheck::Verdict::PasswordRight:
        case UpdateFileCheck::Verdict::NoPasswordGiven:
            line += check.version + ", " + std::to_string(check.size) + " bytes, ";
            line += check.verdict == UpdateFileCheck::Verdict::PasswordRight ? "password right"
                    : check.verdict == UpdateFileCheck::Verdict::PasswordWrong
                        ? "password wrong"
                        : "readable (no password given)";
            break;
        }
        result.lines.push_back(line);
        if (status != exit_code::kSuccess) {
            result.problems.push_back(index);
            if (result.exitStatus == exit_code::kSuccess)
                result.exitStatus = status;
        }
    }
    return result;
}

UpdateFileArguments::UpdateFileArguments(QCommandLineParser& parser) : parser_(parser)
{
    addSharedOption(parser, SharedOption::Password, QStringLiteral("the files"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Update files (.MVT)."),
                                 QStringLiteral("FILE..."));
}

std::optional<UpdateFileArguments::Files> UpdateFileArguments::read(QString& error) const
{
    Files files;
    for (const QString& file : parser_.positionalArguments())
        files.paths.push_back(file.toStdString());
    if (files.paths.empty()) {
        error = QStringLiteral("Name at least one update file.");
        return std::nullopt;
    }
    auto passwords = readPasswords(parser_, files.paths.size(), error);
    if (!passwords)
        return std::nullopt;
    files.passwords = std::move(*passwords);
    return files;
}

} // namespace sus::cli
