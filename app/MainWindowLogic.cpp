// SPDX-License-Identifier: Apache-2.0
#include "app/MainWindowLogic.h"

#include "app/MainWindowContext.h"
#include "app/TForm2.h"
#include "link/Link.h"

namespace sus {

MainWindowLogic::MainWindowLogic(TForm2& form, MainWindowContext& context)
    : updatePage(form), dmxPage(form), dmxOutput(form), turns(context.link),
      panel(updatePage, context.presenter, [&link = context.link] { return link.controllerFound(); }),
      sequencer(context.updateFiles, context.link, turns, *form.Timer1, context.presenter,
                context.line.threads(), context.line.clock()),
      runPage(sequencer, updatePage), console(dmxPage, context.universe),
      output(context.link, turns, *form.Timer2, context.presenter, context.universe, dmxOutput,
             context.line.threads())
{
}

} // namespace sus
