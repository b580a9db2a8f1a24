// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/HeadlessUpdatePage.h"
#include "cli/TerminalPresenter.h"
#include "update/FileQueuePanel.h"
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
    if (const auto status = command.parse(arguments))
        return *status;
    const QStringList files = command.parser().positionalArguments();
    if (files.size() != 1)
        return command.usageError(QStringLiteral("Name one update file."));

    // The panel of the "Update" page reads and shows it, exactly as when a file is clicked.
    const std::string path = files.front().toStdString();
    HeadlessUpdatePage page;
    TerminalPresenter presenter(std::cout, std::cerr, "info");
    FileQueuePanel panel(page, presenter, [] { return false; });
    if (!panel.ShowFileInformation(path)) {
        presenter.showFileError(fileFailureText(kCanNotOpenTheFile, path, panel.lastFailureReason()));
        return exit_code::kFailure;
    }
    for (const std::string& line : page.informationLines())
        std::cout << line << '\n';
    std::cout.flush();
    return exit_code::kSuccess;
}

} // namespace sus::cli
