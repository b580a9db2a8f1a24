// SPDX-License-Identifier: Apache-2.0
#include "app/QtDmxPageView.h"

#include "app/AddressSpinEdit.h"
#include "app/AutoSizeLabel.h"
#include "app/RadioGroup.h"
#include "app/TForm2.h"

#include <QSlider>

namespace sus {

namespace {
const FaderColumnControls& column(const TForm2& form, int fader)
{
    return form.faderColumns().at(static_cast<std::size_t>(fader - 1));
}
} // namespace

std::string QtDmxPageView::addressText() const
{
    return form_.CSpinEdit1->typedText().toStdString();
}

void QtDmxPageView::setAddressText(const std::string& text)
{
    form_.CSpinEdit1->setTypedText(QString::fromStdString(text));
}

int QtDmxPageView::selectedPage() const
{
    return form_.RadioGroup1->itemIndex();
}

int QtDmxPageView::faderPosition(int fader) const
{
    return column(form_, fader).fader->value();
}

void QtDmxPageView::setFaderPosition(int fader, int position)
{
    // The fader's valueChanged runs its change handler, and only when the position really changes.
    column(form_, fader).fader->setValue(position);
}

void QtDmxPageView::setLevelText(int fader, const std::string& text)
{
    column(form_, fader).readout->setText(QString::fromStdString(text));
}

void QtDmxPageView::setChannelName(int fader, const std::string& name)
{
    column(form_, fader).name->setText(QString::fromStdString(name));
}

} // namespace sus
