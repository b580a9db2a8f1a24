// SPDX-License-Identifier: Apache-2.0
// The window program over a simulated controller on the wall clock: the whole flow, update runs
// and DMX output included, without hardware. When an update run ends it prints what a fixture on
// the line received.
#include "app/Application.h"
#include "app/TForm2.h"
#include "app/WindowProgram.h"
#include "app/demo/DemoReport.h"
#include "core/ProgramVersion.h"
#include "core/SteadyClock.h"
#include "sim/SimulatedController.h"

#include <QListWidget>
#include <QTimer>

#include <iostream>

namespace {

constexpr char kDemoControllerPort[] = "demo-controller";
// How often the recording of DMX output is dropped between runs.
constexpr int kForgetIdleTrafficMs = 5000;

// The files a run that just started will send: the selected entry and those after it.
std::vector<std::string> filesFromSelection(const QListWidget& list)
{
    std::vector<std::string> files;
    const QList<QListWidgetItem*> selected = list.selectedItems();
    const int first = selected.isEmpty() ? 0 : list.row(selected.front());
    for (int row = first; row < list.count(); ++row)
        files.push_back(list.item(row)->text().toStdString());
    return files;
}

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

    const QListWidget* queue = nullptr;
    program.context().updateRunChanged = [&](bool running) {
        if (running)
            report.runStarted(filesFromSelection(*queue));
        else
            report.runEnded();
    };
    std::cout << "Demo: one simulated controller attached (" << kDemoControllerPort
              << "); update runs are reported here when they end." << std::endl;
    return program.run(application, [&](sus::ProgramWindows& windows) { queue = windows.form2->ListBox1; });
}
