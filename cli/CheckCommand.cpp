// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/FileChecks.h"
#include "cli/JsonAnswers.h"
#include "cli/JsonFields.h"
#include "cli/OptionTable.h"
#include "update/RunPlan.h"

#include <iostream>

namespace sus::cli {

int runCheck(const QStringList& arguments)
{
    CommandParser command(
        QStringLiteral("check"),
        QStringLiteral(
            "Reads every file as an update run would (readable, long enough, not too large to send) and "
            "checks its password when one is given, touching no port: a line per file with its name, "
            "version, size and verdict, or why it cannot be sent."));
    const UpdateFileArguments fileArguments(command.parser());
    addSharedOption(command.parser(), SharedOption::Json, QStringLiteral("the verdicts"));
    if (const auto status = command.parse(arguments))
        return *status;
    QString error;
    const auto files = fileArguments.read(error);
    if (!files)
        return command.usageError(error);

    const FilesCheck check = checkFiles(files->paths, files->passwords);
    if (isSet(command.parser(), SharedOption::Json)) {
        printJson(checkJson(files->paths, files->passwords, check));
        return check.exitStatus;
    }
    for (const std::string& line : check.lines)
        std::cout << line << '\n';
    if (check.exitStatus == exit_code::kSuccess) {
        if (const std::optional<RunLength> length = lengthWhenPasswordsAreRight(files->paths, 0))
            std::cout << "A run of " << (files->paths.size() == 1 ? "this file" : "these files") << " takes "
                      << runLengthText(*length) << ".\n";
    }
    std::cout.flush();
    return check.exitStatus;
}

} // namespace sus::cli
