// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/serial/QtLineThread.h"
#include "tests/link/serial/SerialBridgeBench.h"
#include "tests/update/UpdateRunBench.h"

#include <chrono>
#include <string>
#include <thread>

namespace sus::test {

// An update run on the real backend over the model bridge as the programs run it: the sequencer on
// the line's own thread, the test's thread the window.
struct ThreadedBridgeRun : SerialBridgeBench {
    ~ThreadedBridgeRun() { line.stop(); }

    void queue(const std::string& path) { view.files.push_back(path); }
    void start()
    {
        view.password = kPassword;
        page.SpeedButton2Click();
    }
    // Runs the window's events until it has been told that the run ended.
    bool runToEnd(std::chrono::milliseconds limit)
    {
        return runEventsUntil([&] { return !sequencer.runActive(); }, limit);
    }

    const std::thread::id windowThread = std::this_thread::get_id();
    QtLineThread line;
    std::unique_ptr<Timer> timer1 = line.createTimer();
    UpdateFiles files;
    FakeUpdatePageView view;
    LinkTurns turns{link};
    UpdateSequencer sequencer{files, link, turns, *timer1, presenter, line.threads(), line.clock()};
    UpdateRunPage page{sequencer, view};
};

} // namespace sus::test
