// SPDX-License-Identifier: Apache-2.0
// The Qt adapters of the core's interfaces: the modal message boxes.
#include "app/Application.h"
#include "app/QtPresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace sus {
namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Looks at the next modal box once it shows, then dismisses it.
void dismissNextBox(SeenBox& seen)
{
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->standardButtons()};
        box->buttons().front()->click();
    });
}

TEST(QtPresenter, MessagesCarryTheApplicationTitleAndFileErrorsOfferOkAndCancel)
{
    QtPresenter presenter;
    SeenBox seen;
    dismissNextBox(seen);
    presenter.showMessage("Controller has been found!");
    EXPECT_EQ(seen.caption, "Software Update System");
    EXPECT_EQ(seen.text, "Controller has been found!");
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);

    dismissNextBox(seen);
    presenter.showFileError("Cannot open the file");
    EXPECT_EQ(seen.caption, "File Error");
    EXPECT_EQ(seen.text, "Cannot open the file");
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

TEST(QtPresenter, DismissingABoxOverTheMainWindowAloneDoesNotEndTheProgram)
{
    // The main window does not end the program when it closes; nor may a box shown over it: the
    // presenter's boxes and the error box of an exception that escaped a handler alike.
    QWidget mainWindow;
    mainWindow.setAttribute(Qt::WA_QuitOnClose, false);
    mainWindow.show();
    constexpr int kStillRunning = 7;

    QtPresenter presenter;
    const std::vector<std::function<void()>> boxes{[&] { presenter.showFileError("File can not open."); },
                                                   [] { showStandardErrorBox(QStringLiteral("bad_alloc")); }};
    for (const auto& showBox : boxes) {
        SeenBox seen;
        QTimer::singleShot(0, [&] {
            dismissNextBox(seen);
            showBox();
            QTimer::singleShot(50, [] { QCoreApplication::exit(kStillRunning); });
        });
        EXPECT_EQ(QApplication::exec(), kStillRunning);
        EXPECT_FALSE(seen.text.isEmpty());
    }
}

} // namespace
} // namespace sus
