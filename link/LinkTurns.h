// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace sus {

class Link;

// Whose turn it is on the one link: the update run's or DMX output's. A run has the link from its
// Start until it has ended, however it ended; DMX output may have it only while no run does. As a
// run starts, DMX output is stopped (its link closed) and no longer offered; once the run has ended
// it is offered again, where a controller was found. The update run and DMX output both go by this.
class LinkTurns {
public:
    // DMX output as the turns drive it.
    class DmxOutput {
    public:
        virtual ~DmxOutput() = default;
        // Output ends now, as when "DMX Output" is unchecked.
        virtual void stopForUpdateRun() = 0;
        // Whether "DMX Output" can be checked.
        virtual void offer(bool offered) = 0;
    };

    explicit LinkTurns(const Link& link) : link_(link) {}

    // Where there is DMX output (the window, mvt dmx); without it there is nothing to stop.
    void attach(DmxOutput& output) { output_ = &output; }

    // The run takes the link: DMX output stops first, before the run opens the link.
    void updateRunStarts();
    // The run has ended and let the link go.
    void updateRunEnded();

    bool dmxOutputMayStart() const { return !updateRunHasTheLink_; }

private:
    const Link& link_;
    DmxOutput* output_ = nullptr;
    bool updateRunHasTheLink_ = false;
};

} // namespace sus
