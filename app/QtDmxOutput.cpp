// SPDX-License-Identifier: Apache-2.0
#include "app/QtDmxOutput.h"

#include "app/TForm2.h"

#include <QCheckBox>

namespace sus {

void QtDmxOutput::uncheckOutputBox()
{
    // toggled(false) runs CheckBox1Click when the box was checked; an unchecked box raises nothing.
    form_.CheckBox1->setChecked(false);
}

void QtDmxOutput::setOutputOffered(bool offered)
{
    form_.CheckBox1->setEnabled(offered);
}

} // namespace sus
