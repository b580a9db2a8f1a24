// SPDX-License-Identifier: Apache-2.0
#include "app/QtUpdatePageView.h"

#include "app/TForm2.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QToolButton>

namespace sus {

int QtUpdatePageView::fileCount() const
{
    return form_.ListBox1->count();
}

std::string QtUpdatePageView::fileAt(int index) const
{
    const QListWidgetItem* item = form_.ListBox1->item(index);
    return item ? item->text().toStdString() : std::string();
}

void QtUpdatePageView::appendFile(const std::string& path)
{
    form_.ListBox1->addItem(QString::fromStdString(path));
}

void QtUpdatePageView::removeFile(int index)
{
    const bool wasSelected = index == selectedIndex();
    const QSignalBlocker quiet(form_.ListBox1);
    delete form_.ListBox1->takeItem(index);
    // Qt selects a neighbour of a removed selected entry; the queue leaves nothing selected, as
    // the first-entry rule of adding a file expects.
    if (wasSelected)
        setSelectedIndex(-1);
}

int QtUpdatePageView::selectedIndex() const
{
    const QList<QListWidgetItem*> selected = form_.ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : form_.ListBox1->row(selected.front());
}

void QtUpdatePageView::setSelectedIndex(int index)
{
    // A selection made by code is not the user's click: ListBox1Click must not run.
    const QSignalBlocker quiet(form_.ListBox1);
    form_.ListBox1->setCurrentRow(index);
    if (index < 0)
        form_.ListBox1->clearSelection();
}

void QtUpdatePageView::setInformationLines(const std::vector<std::string>& lines)
{
    QStringList text;
    for (const std::string& line : lines)
        text.push_back(QString::fromStdString(line));
    form_.Memo1->setPlainText(text.join(u'\n'));
}

void QtUpdatePageView::setStartEnabled(bool enabled)
{
    form_.SpeedButton2->setEnabled(enabled);
}

void QtUpdatePageView::setStopEnabled(bool enabled)
{
    form_.SpeedButton3->setEnabled(enabled);
}

std::string QtUpdatePageView::passwordText() const
{
    return form_.Edit1->text().toStdString();
}

void QtUpdatePageView::setProgress(int percent)
{
    form_.ProgressBar1->setValue(percent);
}

} // namespace sus
