// SPDX-License-Identifier: Apache-2.0
#include "app/TabbedNotebook.h"

#include <QStackedWidget>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

#include <algorithm>

namespace sus {

namespace {
constexpr int kFrameWidth = 2;
}

TabbedNotebook::TabbedNotebook(const QRect& pageArea, QWidget* parent)
    : QWidget(parent), pageArea_(pageArea), tabs_(new QTabBar(this)), pages_(new QStackedWidget(this))
{
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    pages_->setGeometry(pageArea_);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        pages_->setCurrentIndex(index);
        emit currentChanged(index);
    });
}

QWidget* TabbedNotebook::addPage(const char* name, const QString& text)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    pages_->addWidget(page);
    // Sized now rather than when first shown, so that the page has its size from the start.
    page->resize(pageArea_.size());
    tabs_->addTab(text);
    // The tabs stand on the frame around the pages, flush with its top edge.
    const int frameTop = pageArea_.top() - kFrameWidth;
    const int tabHeight = std::min(tabs_->sizeHint().height(), frameTop);
    tabs_->setGeometry(pageArea_.left() - kFrameWidth, frameTop - tabHeight, tabs_->sizeHint().width(),
                       tabHeight);
    return page;
}

int TabbedNotebook::count() const
{
    return pages_->count();
}

QWidget* TabbedNotebook::page(int index) const
{
    return pages_->widget(index);
}

QString TabbedNotebook::pageText(int index) const
{
    return tabs_->tabText(index);
}

int TabbedNotebook::currentIndex() const
{
    return tabs_->currentIndex();
}

void TabbedNotebook::setCurrentIndex(int index)
{
    tabs_->setCurrentIndex(index);
}

void TabbedNotebook::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = pageArea_.adjusted(-kFrameWidth, -kFrameWidth, kFrameWidth, kFrameWidth);
    frame.lineWidth = kFrameWidth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

} // namespace sus
