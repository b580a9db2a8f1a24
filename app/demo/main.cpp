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

#include <QTimer>

#include <iostream>

namespace {

constexpr char kDemoControllerPort[] = "demo-controller";
// How often the recording of DMX output is dropped between runs.
constexpr int kForgetIdleTrafficMs = 5000;

} // namespace

int main(int argc, char* argv[])
{
    if (sus::printVersionIfAsked(argc, argv, "software-update-system-demo"))
        return 0;
    sus::Application application(argc, argv);
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
