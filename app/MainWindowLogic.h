// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/QtDmxOutput.h"
#include "app/QtDmxPageView.h"
#include "app/QtUpdatePageView.h"
#include "dmx/ChannelConsole.h"
#include "dmx/DmxOutputLoop.h"
#include "link/LinkTurns.h"
#include "update/FileQueuePanel.h"
#include "update/UpdateRunPage.h"
#include "update/UpdateSequencer.h"

namespace sus {

struct MainWindowContext;
class TForm2;

// What the main window's handlers forward to: the logic of both pages, over views of the window's
// controls, and over the program-wide state of the context. Members are built in the order they
// depend on one another.
struct MainWindowLogic {
    MainWindowLogic(TForm2& form, MainWindowContext& context);

    QtUpdatePageView updatePage;
    QtDmxPageView dmxPage;
    QtDmxOutput dmxOutput;

    LinkTurns turns;
    FileQueuePanel panel;
    UpdateSequencer sequencer;
    UpdateRunPage runPage;
    ChannelConsole console;
    DmxOutputLoop output;
};

} // namespace sus
