// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/Application.h"
#include "app/MainWindowContext.h"
#include "app/ProgramRun.h"
#include "app/QtPresenter.h"
#include "dmx/DmxUniverse.h"
#include "link/Link.h"
#include "link/machine/SystemKeepAwake.h"
#include "link/serial/QtLineThread.h"
#include "update/UpdateFiles.h"

#include <functional>
#include <memory>

namespace sus {

class Application;
class DeviceLayer;

// One run of the window program, as its main routine owns it: the program-wide state (the link
// over `devices`, the file an update run sends, the DMX universe) and the context that hands it
// to the main window together with Qt's message boxes, the line's thread and the open-file dialog.
// The real program runs it over the serial ports, the demo over a simulated controller.
class WindowProgram {
public:
    explicit WindowProgram(DeviceLayer& devices);
    WindowProgram(const WindowProgram&) = delete;
    WindowProgram& operator=(const WindowProgram&) = delete;

    MainWindowContext& context() { return context_; }

    // Creates the windows (`created` may look at them before any shows), runs the message loop
    // until the splash closes and returns the program's exit code.
    int run(Application& application, const std::function<void(ProgramWindows&)>& created = {});

private:
    QtPresenter presenter_;
    Link link_;
    UpdateFiles updateFiles_;
    DmxUniverse universe_;
    std::unique_ptr<KeepAwake> keepAwake_ = makeSystemKeepAwake(kApplicationTitle);
    // After what its work uses, so that it stops before any of that goes.
    QtLineThread line_;
    MainWindowContext context_;
};

} // namespace sus
