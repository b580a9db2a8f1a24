// SPDX-License-Identifier: Apache-2.0
#include "app/ProgramRun.h"

#include "app/Application.h"

namespace sus {

ProgramWindows createWindows(MainWindowContext& context)
{
    ProgramWindows windows;
    windows.form1 = std::make_unique<TForm1>();
    windows.form2 = std::make_unique<TForm2>(context, *windows.form1);
    windows.form1->setMainWindow(*windows.form2);
    return windows;
}

int runProgram(Application& application, const std::function<ProgramWindows()>& startUp)
{
    ProgramWindows windows;
    try {
        windows = startUp();
    } catch (...) {
        application.showCurrentException();
        return kProgramExitCode;
    }
    windows.form1->show();
    Application::exec();
    return kProgramExitCode;
}

} // namespace sus
