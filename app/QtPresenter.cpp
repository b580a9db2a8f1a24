#include "app/QtPresenter.h"

#include "app/Application.h"

#include <QMessageBox>

namespace sus {

namespace {

constexpr char kFileErrorCaption[] = "File Error";

void showModal(QMessageBox::Icon icon, const char* caption, const std::string& text,
               QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QString::fromUtf8(caption), QString::fromStdString(text), buttons);
    // Only the splash ends the program: a box closed while the main window alone is visible
    // would otherwise count as the last window closing.
    box.setAttribute(Qt::WA_QuitOnClose, false);
    box.exec();
}

} // namespace

void QtPresenter::showMessage(const std::string& text)
{
    showModal(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok);
}

void QtPresenter::showFileError(const std::string& text)
{
    showModal(QMessageBox::Critical, kFileErrorCaption, text, QMessageBox::Ok | QMessageBox::Cancel);
}

} // namespace sus
