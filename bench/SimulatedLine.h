// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "bench/BenchLine.h"
#include "core/SteadyClock.h"
#include "link/serial/QtLineThread.h"
#include "sim/SimulatedController.h"

namespace sus::bench {

// The simulated controller on the wall clock: its writes cost nothing. Read what it heard once the
// line has stopped.
class SimulatedLine final : public BenchLine {
public:
    explicit SimulatedLine(RaisePriority raise);

    std::string name() const override { return "simulated controller"; }
    Link& link() override { return link_; }
    LineHost& line() override { return line_; }
    FixtureLog heard() const override { return VirtualFixture::listen(devices_.txLine()); }
    test::RecordingPresenter& presenter() override { return presenter_; }

private:
    SteadyClock clock_;
    SimulatedController devices_{clock_};
    test::RecordingPresenter presenter_;
    Link link_{devices_, presenter_};
    QtLineThread line_; // last: it stops before what it uses goes
};

} // namespace sus::bench
