// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <vector>

class QFont;
class QLabel;
class QToolButton;
class QWidget;

namespace sus {

class AutoSizeLabel;

// Makers of the controls both windows are built from. Each control gets its object name, text and
// place (in the client coordinates of `parent`) in one call.

AutoSizeLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry);

// A label with its own font and colours; an invalid background leaves the label transparent.
AutoSizeLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                         const QFont& font, const QColor& textColour, const QColor& background = {},
                         Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

// A picture drawn unscaled from the top-left corner and clipped to its box.
QLabel* makePicture(QWidget* parent, const char* name, const char* picturePath, const QRect& geometry);

// A flat button showing only a glyph; `word` is what the glyph reads, kept as the accessible name.
QToolButton* makeSpeedButton(QWidget* parent, const char* name, const char* glyphPath, const QString& word,
                             const QRect& geometry);

// Makes the keyboard focus move through `widgets` in the given order.
void setTabChain(const std::vector<QWidget*>& widgets);

// Places a top-level window with the given client size in the middle of its screen.
void centreOnScreen(QWidget& window);

} // namespace sus
