// SPDX-License-Identifier: Apache-2.0
// The window program over a simulated controller on the wall clock: the whole flow, update runs
// and DMX output included, without hardware. When an update run ends it prints what a fixture on
// the line received.
#include "app/Application.h"
#include "app/WindowProgram.h"
#include "app/demo/DemoReport.h"
#include "core/ProgramVersion.h"
#include "core/SteadyClock.h"
#include "sim/SimulatedController.h"

#include <QStringList>
#include <QTimer>

#include <iostream>
#include <string_view>

namespace {

constexpr const char* kHelp =
    "Usage: software-update-system-demo [--help | --version] [Qt options]\n"
    "The window program over a simulated controller on the wall clock: the whole flow, update runs and DMX\n"
    "output included, without hardware. When an update run ends, what a fixture on the line received is\n"
    "printed on standard output.\n"
    "\n"
    "Options:\n"
    "  -h, --help  Show this help and exit\n"
    "  --version   Print the version and exit\n"
    "The options of Qt programs, such as -platform NAME, are accepted too.\n";

// Asked before the application object exists, as --version is, so that it works without a display.
bool helpAsked(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h")
            return true;
    }
    return false;
}

constexpr char kDemoControllerPort[] = "demo-controller";
// How often the recording of DMX output is dropped between runs.
constexpr int kForgetIdleTrafficMs = 5000;

} // namespace

int main(int argc, char* argv[])
{
    if (sus::printVersionIfAsked(argc, argv, "software-update-system-demo"))
        return 0;
    if (helpAsked(argc, argv)) {
        std::cout << kHelp;
        return 0;
    }
    sus::Application application(argc, argv);
    // Qt has taken its own options out: what is left the demo does not know.
    if (const QStringList left = QCoreApplication::arguments().mid(1); !left.isEmpty()) {
        std::cerr << "software-update-system-demo: unknown argument \"" << left.front().toStdString()
                  << "\".\nTry 'software-update-system-demo --help'.\n";
        return 2;
    }
    sus::SteadyClock clock;
    sus::SimulatedController controller(clock);
    controller.attach({.identity = kDemoControllerPort});
    sus::WindowProgram program(controller);

    sus::DemoReport report(controller, program.context().line.threads().line, std::cout);
    QTimer forgetIdle;
    QObject::connect(&forgetIdle, &QTimer::timeout, [&] { report.forgetIdleTraffic(); });
    forgetIdle.start(kForgetIdleTrafficMs);

    program.context().updateRunChanged = [&](bool running, const sus::RunRequest& request) {
        if (running)
            report.runStarted(request.filesOfRun());
        else
            report.runEnded();
    };
    std::cout << "Demo: one simulated controller attached (" << kDemoControllerPort
              << "); update runs are reported here when they end." << std::endl;
    return program.run(application);
}
