// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandParser.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/JsonAnswers.h"
#include "cli/JsonFields.h"
#include "cli/LineSession.h"
#include "cli/OptionTable.h"
#include "cli/PortList.h"
#include "cli/TerminalPresenter.h"
#include "core/SteadyClock.h"
#include "link/Link.h"
#include "link/serial/SerialDeviceLayer.h"
#include "sim/SimulatedController.h"

#include <iostream>
#include <memory>

namespace sus::cli {

int runPorts(const QStringList& arguments)
{
    CommandParser command(
        QStringLiteral("ports"),
        QStringLiteral(
            "Lists the attached USB serial devices of the controller's bridge family (USB vendor 10C4) as "
            "controller discovery sees them, with their USB "
            "vendor and product ids (hexadecimal); the controller that would be used is marked. A device "
            "that cannot be opened is listed with the reason and what to do about it."));
    const QCommandLineOption simulate = sharedOption(SharedOption::Simulate, QStringLiteral("instead"));
    command.parser().addOption(simulate);
    addSharedOption(command.parser(), SharedOption::Json, QStringLiteral("the devices"));
    if (const auto status = command.parse(arguments))
        return *status;
    if (!command.parser().positionalArguments().isEmpty())
        return command.usageError(QStringLiteral("Unexpected argument \"%1\".")
                                      .arg(command.parser().positionalArguments().front()));

    SteadyClock clock;
    std::unique_ptr<DeviceLayer> devices;
    if (command.parser().isSet(simulate)) {
        devices = makeSimulatedController(clock);
    } else {
        devices = std::make_unique<SerialDeviceLayer>();
    }
    // Discovery itself picks the controller; its announcements are not wanted here.
    SilentPresenter quiet;
    Link link(*devices, quiet);
    link.discoverController();
    const bool json = isSet(command.parser(), SharedOption::Json);
    if (json)
        printJson(portsJson(surveyPorts(*devices, link.controllerIdentity()), link.controllerIdentity()));
    else
        listPorts(*devices, link.controllerIdentity(), std::cout);
    if (!link.controllerFound()) {
        std::cerr << commandPrefix("ports") << "No controller is attached.\n"
                  << whyNoController(link.survey()) << '\n';
        return exit_code::kNoController;
    }
    return exit_code::kSuccess;
}

} // namespace sus::cli
