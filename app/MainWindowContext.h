#pragma once

#include "core/Presenter.h"
#include "core/Timer.h"

#include <QStringList>

#include <functional>
#include <memory>

class QFileDialog;

namespace sus {

// Everything the main window works with but does not own. The main routine builds the one used
// in production; tests build their own from fakes, so no test touches a device or waits on a dialog.
struct MainWindowContext {
    Presenter& presenter;

    // Makes the window's timers: precise Qt timers in production, virtual ones in tests.
    std::function<std::unique_ptr<Timer>()> createTimer;

    // Searches for the controller once, while the main window is created; true when one was found.
    std::function<bool()> discoverController;

    // Runs the open-file dialog modally; the chosen paths, none when the user cancelled.
    std::function<QStringList(QFileDialog&)> runOpenDialog;

    // What closing the main window releases: the link to the controller and the loaded update file.
    std::function<void()> closeLink;
    std::function<void()> releaseUpdateImage;
};

} // namespace sus
