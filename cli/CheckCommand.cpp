// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/FileChecks.h"

#include <iostream>

namespace sus::cli {

int runCheck(const QStringList& arguments)
{
    CommandParser command(
        QStringLiteral("check"),
        QStringLiteral(
            "Reads every file as an update run would (readable, long enough, not too large to send) and "
            "checks its password when one is given, touching no port: a line per file with its name, "
            "version, size and verdict, or why it cannot be sent.\n"
            "Exit status: 0 every file can be sent; 2 bad arguments; 3 a wrong password; 4 a file "
            "cannot be opened, read or sent (the first problem in the files' order decides, as in "
            "send)."));
    const QCommandLineOption password(QStringLiteral("password"), passwordOptionHelp(), QStringLiteral("P"));
    command.parser().addOption(password);
    command.parser().addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Update files (.MVT)."),
                                           QStringLiteral("FILE..."));
    if (const auto status = command.parse(arguments))
        return *status;

    std::vector<std::string> files;
    for (const QString& file : command.parser().positionalArguments())
        files.push_back(file.toStdString());
    if (files.empty())
        return command.usageError(QStringLiteral("Name at least one update file."));
    QString error;
    const auto passwords = readFilePasswords(command.parser().values(password), files.size(), error);
    if (!passwords)
        return command.usageError(error);

    const FilesCheck check = checkFiles(files, *passwords);
    for (const std::string& line : check.lines)
        std::cout << line << '\n';
    std::cout.flush();
    return check.exitStatus;
}

} // namespace sus::cli
