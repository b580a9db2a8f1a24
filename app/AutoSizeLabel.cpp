// SPDX-License-Identifier: Apache-2.0
#include "app/AutoSizeLabel.h"

#include <algorithm>

namespace sus {

AutoSizeLabel::AutoSizeLabel(const QString& text, const QRect& geometry, QWidget* parent)
    : QLabel(text, parent), laidOut_(geometry)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fitText();
}

void AutoSizeLabel::setText(const QString& text)
{
    QLabel::setText(text);
    fitText();
}

void AutoSizeLabel::fitText()
{
    const int width = std::max(laidOut_.width(), sizeHint().width());
    QRect box(laidOut_.topLeft(), QSize(width, laidOut_.height()));
    if (alignment() & Qt::AlignRight)
        box.moveRight(laidOut_.right());
    setGeometry(box);
}

} // namespace sus
