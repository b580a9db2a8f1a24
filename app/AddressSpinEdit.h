// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QSpinBox>

namespace sus {

// The fixture address field: a spin box over 1 to 511 that, unlike a plain QSpinBox, lets typed
// text stand as typed while the field has the focus (the console reads it as it is, a value out of
// range as the nearer limit). Its buttons and arrow keys step within the range; on losing the focus
// a value out of range is brought to the nearer limit and text that is no number becomes "1".
class AddressSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit AddressSpinEdit(QWidget* parent);

    // The text as typed, and setting it as if typed.
    QString typedText() const { return text(); }
    void setTypedText(const QString& text);

    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void stepBy(int steps) override;

protected:
    int valueFromText(const QString& text) const override;
};

} // namespace sus
