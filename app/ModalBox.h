// SPDX-License-Identifier: Apache-2.0
#pragma once

class QMessageBox;

namespace sus {

// Shows `box` modally until the user dismisses it. Only the splash ends the program: a box closed
// while the main window alone is visible would otherwise count as the last window closing.
void runModalBox(QMessageBox& box);

} // namespace sus
