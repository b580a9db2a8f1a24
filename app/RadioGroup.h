// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QRadioButton;

namespace sus {

// A captioned group of radio items stacked top to bottom, one of them selected.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent);

    int itemIndex() const { return group_.checkedId(); }
    void setItemIndex(int index);
    int count() const;
    QRadioButton* item(int index) const;

signals:
    // The selection moved to another item, by the user or by code; choosing the item already
    // selected raises nothing.
    void selectionChanged(int index);

private:
    QButtonGroup group_;
};

} // namespace sus
