// SPDX-License-Identifier: Apache-2.0
#include "app/ModalBox.h"

#include <QMessageBox>

namespace sus {

void runModalBox(QMessageBox& box)
{
    box.setAttribute(Qt::WA_QuitOnClose, false);
    box.exec();
}

} // namespace sus
