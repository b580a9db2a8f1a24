#include "app/Application.h"
#include "app/MainWindowContext.h"
#include "app/ProgramRun.h"
#include "app/QtPresenter.h"
#include "app/QtTimer.h"

#include <QFileDialog>

int main(int argc, char* argv[])
{
    sus::Application application(argc, argv);
    sus::QtPresenter presenter;

    sus::MainWindowContext context{
        .presenter = presenter,
        .createTimer = [] { return std::make_unique<sus::QtTimer>(); },
        // Until the link layer is in, no controller is ever found.
        .discoverController = [] { return false; },
        .runOpenDialog =
            [](QFileDialog& dialog) {
                return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
            },
        .closeLink = {},
        .releaseUpdateImage = {},
    };

    return sus::runProgram(application, [&] { return sus::createWindows(context); });
}
