// SPDX-License-Identifier: Apache-2.0
#include "app/Application.h"

#include "app/Fonts.h"
#include "app/ModalBox.h"

#include <QMessageBox>

#include <exception>

namespace sus {

void showStandardErrorBox(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok);
    runModalBox(box);
}

namespace {

QString currentExceptionText()
{
    try {
        throw;
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return {};
    }
}

} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv), errorBox_(showStandardErrorBox)
{
    setApplicationName(QString::fromUtf8(kApplicationTitle));
    setApplicationDisplayName(QString::fromUtf8(kApplicationTitle));
    installFontSubstitutes();
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showCurrentException();
        return false;
    }
}

void Application::showCurrentException()
{
    const QString text = currentExceptionText();
    if (errorBox_)
        errorBox_(text);
}

} // namespace sus
