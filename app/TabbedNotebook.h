// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QRect>
#include <QWidget>

class QStackedWidget;
class QTabBar;

namespace sus {

// Tabbed pages whose client area stands at a fixed place in the notebook, whatever height the
// style gives the tabs: the controls on the pages keep the places they were drawn at.
class TabbedNotebook : public QWidget {
    Q_OBJECT
public:
    TabbedNotebook(const QRect& pageArea, QWidget* parent);

    // A new page at the end, named `text`; its client area is the notebook's page area.
    QWidget* addPage(const char* name, const QString& text);

    int count() const;
    QWidget* page(int index) const;
    QString pageText(int index) const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    QTabBar* tabBar() const { return tabs_; }

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect pageArea_;
    QTabBar* tabs_;
    QStackedWidget* pages_;
};

} // namespace sus
