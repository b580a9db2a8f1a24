#pragma once

#include "app/MainWindowContext.h"
#include "core/VirtualScheduler.h"
#include "tests/support/RecordingPresenter.h"

#include <QFileDialog>

namespace sus::test {

// A main-window context of fakes that counts what the window asks of it.
struct TestContext {
    RecordingPresenter presenter;
    VirtualScheduler scheduler;

    bool controllerPresent = false;
    int discoveries = 0;
    int linkCloses = 0;
    int imageReleases = 0;
    QStringList dialogAnswer;
    QFileDialog* dialogRun = nullptr;

    MainWindowContext context{
        .presenter = presenter,
        .createTimer = [this] { return scheduler.createTimer(); },
        .discoverController =
            [this] {
                ++discoveries;
                return controllerPresent;
            },
        .runOpenDialog =
            [this](QFileDialog& dialog) {
                dialogRun = &dialog;
                return dialogAnswer;
            },
        .closeLink = [this] { ++linkCloses; },
        .releaseUpdateImage = [this] { ++imageReleases; },
    };
};

} // namespace sus::test
