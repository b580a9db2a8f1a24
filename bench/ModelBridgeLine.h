// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "bench/BenchLine.h"
#include "link/serial/QtLineThread.h"
#include "tests/link/serial/SerialBridgeBench.h"

namespace sus::bench {

// The real serial backend on the model bridge, linked into this process, set up as the wire tests
// set it up: every drain, settings change and write costs what it costs on a full-speed USB bridge.
class ModelBridgeLine final : public BenchLine {
public:
    explicit ModelBridgeLine(RaisePriority raise) : line_(std::move(raise)) {}

    std::string name() const override { return "model bridge"; }
    Link& link() override { return bench_.link; }
    LineHost& line() override { return line_; }
    FixtureLog heard() const override { return bench_.heard(); }
    test::RecordingPresenter& presenter() override { return bench_.presenter; }

private:
    test::SerialBridgeBench bench_;
    QtLineThread line_; // last: it stops before what it uses goes
};

} // namespace sus::bench
