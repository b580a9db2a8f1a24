// SPDX-License-Identifier: Apache-2.0
#include "app/AddressSpinEdit.h"

#include "dmx/AddressField.h"
#include "dmx/ChannelLayout.h"

#include <QLineEdit>

namespace sus {

namespace {

// Characters that typing may still turn into a number: the field accepts nothing else.
bool couldBecomeNumber(const QString& text)
{
    for (const QChar c : text) {
        if (!c.isDigit() && !c.isSpace() && c != u'+' && c != u'-')
            return false;
    }
    return true;
}

} // namespace

AddressSpinEdit::AddressSpinEdit(QWidget* parent) : QSpinBox(parent)
{
    setRange(kMinAddress, kMaxAddress);
    setValue(kMinAddress);
}

void AddressSpinEdit::setTypedText(const QString& text)
{
    lineEdit()->setText(text);
}

QValidator::State AddressSpinEdit::validate(QString& input, int& /*pos*/) const
{
    const std::optional<int> typed = parseAddress(input.toStdString());
    if (typed && *typed == clampAddress(*typed))
        return QValidator::Acceptable;
    return couldBecomeNumber(input) ? QValidator::Intermediate : QValidator::Invalid;
}

void AddressSpinEdit::fixup(QString& input) const
{
    input = QString::fromStdString(addressTextOnFocusLost(input.toStdString()));
}

void AddressSpinEdit::stepBy(int steps)
{
    // Steps go from what the field shows, typed text included, and stop at the limits.
    const std::optional<int> typed = parseAddress(text().toStdString());
    setValue(stepAddress(typed.value_or(value()), steps));
    selectAll();
}

int AddressSpinEdit::valueFromText(const QString& text) const
{
    return clampAddress(parseAddress(text.toStdString()).value_or(kMinAddress));
}

} // namespace sus
