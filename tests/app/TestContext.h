// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/MainWindowContext.h"
#include "core/VirtualScheduler.h"
#include "dmx/DmxUniverse.h"
#include "link/InlineLine.h"
#include "link/Link.h"
#include "sim/SimulatedController.h"
#include "tests/support/FakeKeepAwake.h"
#include "tests/support/RecordingPresenter.h"
#include "update/UpdateFiles.h"

#include <QFileDialog>

#include <vector>

namespace sus::test {

// A main-window context over fakes: the program-wide state on a simulated controller (none
// attached until a test attaches one) in virtual time, a recording presenter and a scripted
// open-file dialog.
struct TestContext {
    static constexpr const char* kControllerPort = "ttyUSB0";

    void attachController() { devices.attach({.identity = kControllerPort}); }

    RecordingPresenter presenter;
    VirtualScheduler scheduler;
    InlineLine line{scheduler};
    SimulatedController devices{scheduler};
    Link link{devices, presenter};
    UpdateFiles updateFiles;
    DmxUniverse universe;
    FakeKeepAwake keepAwake;

    QStringList dialogAnswer;
    QFileDialog* dialogRun = nullptr;
    std::vector<bool> updateRunChanges;

    MainWindowContext context{
        .presenter = presenter,
        .link = link,
        .line = line,
        .updateFiles = updateFiles,
        .universe = universe,
        .keepAwake = keepAwake,
        .runOpenDialog =
            [this](QFileDialog& dialog) {
                dialogRun = &dialog;
                return dialogAnswer;
            },
        .updateRunChanged = [this](bool running, const RunRequest&) { updateRunChanges.push_back(running); },
    };
};

} // namespace sus::test
