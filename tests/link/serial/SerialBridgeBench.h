// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/Link.h"
#include "link/serial/SerialDeviceLayer.h"
#include "sim/VirtualFixture.h"
#include "sim/Waveform.h"
#include "tests/bridge/ModelBridge.h"
#include "tests/support/RecordingPresenter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <functional>
#include <string>
#include <unistd.h>

namespace sus::test {

// A USB serial port name of this process alone: Qt locks a port by its name, machine-wide, and
// tests run side by side.
inline std::string uniqueTtyName(int number = 0)
{
    return "ttyUSB" + std::to_string(::getpid()) + std::to_string(number);
}

// The controller's port as the model bridge serves it.
inline const std::string kBridgePort = "/dev/" + uniqueTtyName();

// Runs the event loop, and with it the timers, until `done` holds or `limit` has passed; true when
// `done` came.
inline bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    QTimer wake; // so that the loop looks at `done` even while nothing else happens
    wake.start(50);
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() >= limit.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The real serial backend and the program's Link on the model bridge's port, named as the user
// names it on mvt's command line; the controller found.
struct SerialBridgeBench {
    explicit SerialBridgeBench(const std::string& port = kBridgePort) : devices(port)
    {
        bridge.model(kBridgePort);
        link.discoverController();
        presenter.clear();
        bridge.clearRecording();
    }

    FixtureLog heard() const { return VirtualFixture::decode(renderWaveform(bridge.wire())); }

    bridge::ModelBridge& bridge = bridge::ModelBridge::instance();
    SerialDeviceLayer devices;
    RecordingPresenter presenter;
    Link link{devices, presenter};
};

} // namespace sus::test
