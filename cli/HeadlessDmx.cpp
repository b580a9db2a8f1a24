// SPDX-License-Identifier: Apache-2.0
#include "cli/HeadlessDmx.h"

#include "dmx/DmxOutputLoop.h"

namespace sus::cli {

void OutputBox::setChecked(bool checked)
{
    // The click handler runs only when the state really changes.
    if (checked_ == checked)
        return;
    checked_ = checked;
    loop_->CheckBox1Click(checked);
}

} // namespace sus::cli
