// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QLabel>
#include <QRect>

namespace sus {

// A text label that stands where it was laid out and widens when its text would not fit, so that
// no text is ever cut off (substitute fonts and longer read-outs may need a few pixels more). It
// never becomes narrower than laid out; a right-aligned label keeps its right edge.
class AutoSizeLabel : public QLabel {
    Q_OBJECT
public:
    AutoSizeLabel(const QString& text, const QRect& geometry, QWidget* parent);

    // Hides QLabel::setText: set texts through this type, or the label does not widen.
    void setText(const QString& text);

    // The box it was laid out in.
    const QRect& laidOutGeometry() const { return laidOut_; }

    // Widens the label to its text (after a change of text, font or alignment).
    void fitText();

private:
    QRect laidOut_;
};

} // namespace sus
