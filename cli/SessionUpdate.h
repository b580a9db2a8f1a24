// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/HeadlessUpdatePage.h"
#include "cli/LineSession.h"
#include "link/LinkTurns.h"
#include "sim/VirtualFixture.h"
#include "update/UpdateFiles.h"
#include "update/UpdateSequencer.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sus::cli {

// An update run of one mvt command over its session's line, as the window's update page drives it:
// the page's queue is `files` with the first selected; each file is checked with its own entry of
// `passwords` (none: the password box is empty, which the run refuses).
class SessionUpdate {
public:
    SessionUpdate(LineSession& session, std::vector<std::string> files, std::vector<std::string> passwords,
                  Presenter& presenter);

    HeadlessUpdatePage& page() { return page_; }
    UpdateSequencer& sequencer() { return sequencer_; }
    bool ended() const { return !sequencer_.runActive(); }

private:
    HeadlessUpdatePage page_;
    UpdateFiles files_;
    // Each mvt process does one thing: no DMX output waits for its turn on the link.
    LinkTurns turns_;
    std::unique_ptr<Timer> timer1_;
    UpdateSequencer sequencer_;
};

// The wake-up frames and packets an update run of `files` with `passwords` (one per file) puts on the line,
// heard off the simulated controller in virtual time. Nothing, with the message the run ended with in
// `error`, when the run would not finish.
std::optional<FixtureLog> plannedUpdateRun(const std::vector<std::string>& files,
                                           const std::vector<std::string>& passwords, std::string& error);

} // namespace sus::cli
