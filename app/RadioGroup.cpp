// SPDX-License-Identifier: Apache-2.0
#include "app/RadioGroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace sus {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), group_(this)
{
    auto* layout = new QVBoxLayout(this);
    // Narrow groups: the items need the width more than a margin does.
    layout->setContentsMargins(0, 0, 0, 0);
    for (int index = 0; index < items.size(); ++index) {
        auto* button = new QRadioButton(items[index], this);
        group_.addButton(button, index);
        layout->addWidget(button);
    }
    setItemIndex(0);
    connect(&group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit selectionChanged(id);
    });
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = group_.button(index))
        button->setChecked(true);
}

int RadioGroup::count() const
{
    return static_cast<int>(group_.buttons().size());
}

QRadioButton* RadioGroup::item(int index) const
{
    return qobject_cast<QRadioButton*>(group_.button(index));
}

} // namespace sus
