// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/JsonAnswers.h"
#include "cli/JsonFields.h"
#include "cli/OptionTable.h"
#include "cli/TerminalPresenter.h"
#include "update/FileInformation.h"
#include "update/UpdateFileLook.h"
#include "update/UpdateFileReader.h"
#include "update/UpdateMessages.h"

#include <iostream>

namespace sus::cli {

int runInfo(const QStringList& arguments)
{
    CommandParser command(
        QStringLiteral("info"),
        QStringLiteral("Prints the four lines the information panel shows for an update file: "
                       "the fixture functions, the new version and the versions it updates, "
                       "the designer."));
    command.parser().addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The update file (.MVT)."));
    addSharedOption(command.parser(), SharedOption::Json, QStringLiteral("the file's information"));
    if (const auto status = command.parse(arguments))
        return *status;
    const QStringList files = command.parser().positionalArguments();
    if (files.size() != 1)
        return command.usageError(QStringLiteral("Name one update file."));

    // Read and shown exactly as the panel of the "Update" page does when a file is clicked.
    const std::string path = files.front().toStdString();
    const UpdateImageLoad load = loadUpdateHeader(path);
    if (isSet(command.parser(), SharedOption::Json)) {
        printJson(infoJson(path, load));
        const bool likeAnUpdateFile = load && unlikeAnUpdateFile(path, *load.image).empty();
        return likeAnUpdateFile ? exit_code::kSuccess : exit_code::kFileRefused;
    }
    TerminalPresenter presenter(std::cout, std::cerr, "info");
    if (!load) {
        presenter.showFileError(fileFailureText(kCanNotOpenTheFile, path, load.failureReason));
        return exit_code::kFileRefused;
    }
    // Another file's bytes would show as texts and a version all the same.
    if (const std::string unlike = unlikeAnUpdateFile(path, *load.image); !unlike.empty()) {
        presenter.showFileError(path + ": " + unlike);
        return exit_code::kFileRefused;
    }
    for (const std::string& line : shownInformationLines(*load.image))
        std::cout << line << '\n';
    std::cout.flush();
    return exit_code::kSuccess;
}

} // namespace sus::cli
