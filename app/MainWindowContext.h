#pragma once

#include "core/Presenter.h"
#include "core/Timer.h"

#include <QStringList>

#include <functional>
#include <memory>

class QFileDialog;

namespace sus {

class DmxUniverse;
class Link;
class UpdateFiles;

// Everything the main window works with but does not own: the program-wide state, which the main
// routine owns for the program's whole run, and the ways to the outside. Production builds it over
// the serial ports and Qt; tests over a simulated controller and virtual time, so no test touches a
// device or waits on a dialog.
struct MainWindowContext {
    Presenter& presenter;

    // The one link to the controller: discovery runs on it once, as the main window is created.
    Link& link;
    // The file an update run sends (CurrentFilePath, TypedPassword, UpdateImage, ImageKey).
    UpdateFiles& updateFiles;
    // The DMX levels the console edits and the output loop sends.
    DmxUniverse& universe;

    // Makes the window's timers: precise Qt timers in production, virtual ones in tests.
    std::function<std::unique_ptr<Timer>()> createTimer;

    // Runs the open-file dialog modally; the chosen paths, none when the user cancelled.
    std::function<QStringList(QFileDialog&)> runOpenDialog;

    // Optional: told when an update run starts (true) and once it has ended (false), however it ended.
    std::function<void(bool running)> updateRunChanged;
};

} // namespace sus
