// SPDX-License-Identifier: Apache-2.0
#include "app/WindowProgram.h"

#include <QFileDialog>

namespace sus {

WindowProgram::WindowProgram(DeviceLayer& devices)
    : link_(devices, presenter_), context_{
                                      .presenter = presenter_,
                                      .link = link_,
                                      .line = line_,
                                      .updateFiles = updateFiles_,
                                      .universe = universe_,
                                      .keepAwake = *keepAwake_,
                                      .runOpenDialog =
                                          [](QFileDialog& dialog) {
                                              return dialog.exec() == QDialog::Accepted
                                                         ? dialog.selectedFiles()
                                                         : QStringList();
                                          },
                                      .updateRunChanged = {},
                                  }
{
}

int WindowProgram::run(Application& application, const std::function<void(ProgramWindows&)>& created)
{
    return runProgram(application, [&] {
        ProgramWindows windows = createWindows(context_);
        if (created)
            created(windows);
        return windows;
    });
}

} // namespace sus
