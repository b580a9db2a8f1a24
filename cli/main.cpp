// SPDX-License-Identifier: Apache-2.0
// mvt: the command-line companion of the Software Update System, for batch work at the bench, scripts,
// and seeing exactly what goes on the line. It drives the same file reader, update sequencer, DMX
// loop and device layer as the window program.

#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/NearestName.h"
#include "cli/Terminal.h"
#include "core/ProgramVersion.h"

#include <QCoreApplication>
#include <QStringList>

#include <functional>
#include <iostream>
#include <map>

namespace {

constexpr const char* kUsage =
    "Usage: mvt <command> [options]\n"
    "Update files, update runs and DMX output through the USB controller, from a terminal.\n"
    "\n"
    "Commands:\n"
    "  info    Print the information stored in an update file\n"
    "  check   Check update files as a run would, sending nothing\n"
    "  send    Run an update: send update files to the fixture\n"
    "  dmx     Send DMX frames\n"
    "  ports   List the attached devices, the controller marked\n"
    "  listen  Listen to the line through a second USB-UART: what it carried\n"
    "\n"
    "Options:\n"
    "  -h, --help  Show this help\n"
    "  --version   Print the version and exit\n"
    "\n"
    "Run 'mvt <command> --help' for the options of a command.\n";

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mvt"));
    sus::cli::writeOutputAsBytes();

    const std::map<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("info"), sus::cli::runInfo},   {QStringLiteral("check"), sus::cli::runCheck},
        {QStringLiteral("send"), sus::cli::runSend},   {QStringLiteral("dmx"), sus::cli::runDmx},
        {QStringLiteral("ports"), sus::cli::runPorts}, {QStringLiteral("listen"), sus::cli::runListen},
    };

    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        std::cerr << kUsage;
        return sus::cli::exit_code::kUsage;
    }
    const QString name = arguments.takeFirst();
    if (name == QStringLiteral("--help") || name == QStringLiteral("-h")) {
        std::cout << kUsage;
        return sus::cli::exit_code::kSuccess;
    }
    if (name == QStringLiteral("--version")) {
        std::cout << sus::versionLine("mvt");
        return sus::cli::exit_code::kSuccess;
    }
    const auto command = commands.find(name);
    if (command == commands.end()) {
        QStringList names;
        for (const auto& [known, run] : commands)
            names.append(known);
        const QString meant = sus::cli::nearestName(name, names);
        const QString next =
            meant.isEmpty() ? QStringLiteral("The commands are %1.").arg(names.join(QStringLiteral(", ")))
                            : QStringLiteral("Did you mean %1?").arg(meant);
        std::cerr << "mvt: unknown command \"" << name.toStdString() << "\". " << next.toStdString()
                  << "\nTry 'mvt --help'.\n";
        return sus::cli::exit_code::kUsage;
    }
    return command->second(arguments);
}
