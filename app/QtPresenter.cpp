// SPDX-License-Identifier: Apache-2.0
#include "app/QtPresenter.h"

#include "app/Application.h"
#include "app/ModalBox.h"

#include <QMessageBox>

namespace sus {

namespace {

constexpr char kFileErrorCaption[] = "File Error";

void showModal(QMessageBox::Icon icon, const char* caption, const std::string& text,
               QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QString::fromUtf8(caption), QString::fromStdString(text), buttons);
    runModalBox(box);
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
