// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/RunProgress.h"
#include "update/RunRequest.h"

namespace sus {

// Follows update runs on the window's thread: the window's page, mvt's progress line and
// summaries, the keep-awake, the demo's report.
class UpdateRunListener {
public:
    virtual ~UpdateRunListener() = default;
    // Start has taken `request`; the link opens next.
    virtual void updateRunStarted(const RunRequest& request) { (void)request; }
    // After every tick, and whenever the run's ending is decided.
    virtual void updateRunProgressed(const RunProgress& progress) { (void)progress; }
    // The link has closed; `progress.outcome` says how the run ended.
    virtual void updateRunEnded(const RunProgress& progress) { (void)progress; }
};

} // namespace sus
