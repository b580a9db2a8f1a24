// SPDX-License-Identifier: Apache-2.0
#include "cli/SessionUpdate.h"

namespace sus::cli {

SessionUpdate::SessionUpdate(LineSession& session, Presenter& presenter)
    : turns_(session.link()), timer1_(session.pacer().line().createTimer()),
      sequencer_(files_, session.link(), turns_, *timer1_, presenter, session.pacer().line().threads(),
                 session.pacer().line().clock())
{
}

bool SessionUpdate::start(std::vector<std::string> files, std::vector<std::string> passwords)
{
    return sequencer_.start(
        {.files = std::move(files), .passwords = std::move(passwords), .selectedIndex = 0});
}

} // namespace sus::cli
