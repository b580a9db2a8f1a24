// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/MainWindowContext.h"
#include "app/TForm1.h"
#include "app/TForm2.h"

#include <functional>
#include <memory>

namespace sus {

class Application;

// The program returns this whatever happened.
inline constexpr int kProgramExitCode = 0;

// The two windows, the splash first: it is the program's main window.
struct ProgramWindows {
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
};

// Creates the splash, then the main window, hidden (its FormCreate runs here, before any window
// shows), and lets each lead to the other.
ProgramWindows createWindows(MainWindowContext& context);

// Runs `startUp`, shows the splash and runs the message loop until the splash closes. An exception
// escaping start-up is shown in the error box and the loop is not entered. Returns kProgramExitCode.
int runProgram(Application& application, const std::function<ProgramWindows()>& startUp);

} // namespace sus
