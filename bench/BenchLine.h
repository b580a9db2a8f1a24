// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "bench/BenchOptions.h"
#include "link/LineHost.h"
#include "link/Link.h"
#include "sim/VirtualFixture.h"
#include "tests/support/RecordingPresenter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sus::bench {

// Where a real-time benchmark's bytes go: a device layer with the controller found on it, the line's
// own thread as the programs have it (results posted to the event loop of the benchmark's main
// thread), and the line it drives, as the virtual fixture hears it.
class BenchLine {
public:
    virtual ~BenchLine() = default;

    virtual std::string name() const = 0;
    virtual Link& link() = 0;
    virtual LineHost& line() = 0;
    // What the fixture heard from the line's first byte on.
    virtual FixtureLog heard() const = 0;
    // Where the line's Link shows its messages.
    virtual test::RecordingPresenter& presenter() = 0;
};

// The lines this build can run on, by the names the command line takes ("simulated", "bridge").
std::vector<std::string> benchLineNames();
// The line of that name, the controller found, its thread run as `priority` says; nothing for an
// unknown name.
std::unique_ptr<BenchLine> createBenchLine(const std::string& name, BenchPriority priority);
// How the line's thread asks to come first in a run with `priority`.
RaisePriority linePriority(BenchPriority priority);

// Runs `run` on a line of each name `options` give, once for each priority, beside the busy loops
// they ask for, each after a heading that names the line and what its thread got; true when every
// run returned true.
bool runEachLine(const BenchOptions& options, const std::function<bool(BenchLine&)>& run);

} // namespace sus::bench
