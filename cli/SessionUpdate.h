// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/LineSession.h"
#include "link/LinkTurns.h"
#include "update/UpdateFiles.h"
#include "update/UpdateSequencer.h"

#include <memory>
#include <string>
#include <vector>

namespace sus::cli {

// An update run of one mvt command over its session's line, as the window's Start runs it with the
// first of the files selected.
class SessionUpdate {
public:
    SessionUpdate(LineSession& session, Presenter& presenter);

    UpdateSequencer& sequencer() { return sequencer_; }
    // Starts the run of `files`, with one password for all of them or one per file; false when it
    // has none (the run refuses, as Start does with an empty password box).
    bool start(std::vector<std::string> files, std::vector<std::string> passwords);
    bool ended() const { return !sequencer_.runActive(); }

private:
    UpdateFiles files_;
    // Each mvt process does one thing: no DMX output waits for its turn on the link.
    LinkTurns turns_;
    std::unique_ptr<Timer> timer1_;
    UpdateSequencer sequencer_;
};

} // namespace sus::cli
