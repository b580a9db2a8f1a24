// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/KeepAwake.h"
#include "core/Presenter.h"
#include "link/LineHost.h"
#include "update/RunRequest.h"

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
// the serial ports, the line's thread and Qt; tests over a simulated controller and virtual time, so
// no test touches a device or waits on a dialog.
struct MainWindowContext {
    Presenter& presenter;

    // The one link to the controller: discovery runs on it once, as the main window is created; from
    // then on it runs on the line's thread (link/LineHost.h).
    Link& link;
    // Where the line's work runs and its timers (the window's Timer1 and Timer2) tick: a thread of its
    // own in the programs, the caller's in virtual time in the tests (link/LineHost.h).
    LineHost& line;
    // The file an update run sends (CurrentFilePath, TypedPassword, UpdateImage, ImageKey).
    UpdateFiles& updateFiles;
    // The DMX levels the console edits and the output loop sends.
    DmxUniverse& universe;

    // Keeps the machine awake from an update run's Start until it has ended.
    KeepAwake& keepAwake;

    // Runs the open-file dialog modally; the chosen paths, none when the user cancelled.
    std::function<QStringList(QFileDialog&)> runOpenDialog;

    // Optional: told when an update run of `request` starts (true) and once it has ended (false),
    // however it ended.
    std::function<void(bool running, const RunRequest& request)> updateRunChanged;
};

} // namespace sus
