// SPDX-License-Identifier: Apache-2.0
#include "app/Controls.h"

#include "app/AutoSizeLabel.h"
#include "app/Pictures.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QToolButton>

namespace sus {

AutoSizeLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = new AutoSizeLabel(text, geometry, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

AutoSizeLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                         const QFont& font, const QColor& textColour, const QColor& background,
                         Qt::Alignment alignment)
{
    AutoSizeLabel* label = makeLabel(parent, name, text, geometry);
    label->setFont(font);
    label->setAlignment(alignment);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, textColour);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
    label->fitText();
    return label;
}

QLabel* makePicture(QWidget* parent, const char* name, const char* picturePath, const QRect& geometry)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(geometry);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(loadPicture(picturePath));
    return picture;
}

QToolButton* makeSpeedButton(QWidget* parent, const char* name, const char* glyphPath, const QString& word,
                             const QRect& geometry)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    const QPixmap glyph = loadPicture(glyphPath);
    button->setIcon(QIcon(glyph));
    button->setIconSize(glyph.size());
    button->setAccessibleName(word);
    button->setAutoRaise(true);
    // Flat glyph buttons take no keyboard focus; they sit outside the tab order.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void setTabChain(const std::vector<QWidget*>& widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void centreOnScreen(QWidget& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect placed(QPoint(), window.size());
    placed.moveCenter(screen->availableGeometry().center());
    window.move(placed.topLeft());
}

} // namespace sus
