// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Nanoseconds.h"
#include "core/VirtualScheduler.h"
#include "link/Link.h"
#include "link/LinkTurns.h"
#include "receive/UpdateReceiver.h"
#include "sim/SimulatedController.h"
#include "sim/VirtualFixture.h"
#include "tests/link/LinkBench.h"
#include "tests/support/FakeUpdatePageView.h"
#include "tests/support/Milliseconds.h"
#include "tests/support/RecordingPresenter.h"
#include "tests/support/SlowLineChanges.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"
#include "update/UpdateFiles.h"
#include "update/UpdateRunPage.h"
#include "update/UpdateSequencer.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace sus::test {

// DMX output as the link's turns drive it.
struct FakeDmxOutput : LinkTurns::DmxOutput {
    void stopForUpdateRun() override { ++turnedOff; }
    void offer(bool offered) override { available = offered; }
    int turnedOff = 0;
    bool available = true;
};

// An update run on virtual time: one controller attached and found (or the device `attached`, as
// discovery finds it), the "Update" page as data, Timer1 virtual, the virtual fixture listening on
// the line.
struct UpdateRunBench {
    explicit UpdateRunBench(SimulatedDevice attached = controllerAt("ttyUSB0"))
    {
        devices.attach(std::move(attached));
        link.discoverController();
        presenter.clear();
        view.password = "";
    }

    // Queues a file made by `file` under `name` and returns its path.
    std::string queue(const UpdateFileBuilder& builder, const std::string& name)
    {
        const std::string path = utf8Of(builder.writeTo(dir / name));
        view.files.push_back(path);
        return path;
    }

    // Runs ticks until the run has ended (or a minute of virtual time passed).
    void runToEnd(std::int64_t limitNs = 3'600'000 * kMs)
    {
        clock.runUntil([&] { return !sequencer.runActive(); }, clock.nowNs() + limitNs);
    }

    FixtureLog heard() const { return VirtualFixture::listen(devices.txLine()); }
    UpdateReception reception() const { return UpdateReception::from(heard()); }

    // Packet types in the order they reached the fixture.
    std::vector<int> packetTypes() const
    {
        std::vector<int> types;
        for (const auto& p : heard().packets)
            types.push_back(p.type);
        return types;
    }

    TempDir dir;
    VirtualScheduler clock;
    SimulatedController devices{clock};
    SlowLineChanges slowDevices{devices, clock};
    RecordingPresenter presenter;
    Link link{slowDevices, presenter};
    std::unique_ptr<Timer> timer1 = clock.createTimer();
    UpdateFiles files;
    FakeUpdatePageView view;
    FakeDmxOutput dmx;
    LinkTurns turns = [this] {
        LinkTurns made(link);
        made.attach(dmx);
        return made;
    }();
    UpdateSequencer sequencer{files, link, turns, *timer1, presenter, inlineThreads(), clock};
    UpdateRunPage page{sequencer, view};
};

// A file with `dataLength` bytes of image data after its header; key bytes give password "452DB8".
inline UpdateFileBuilder FileWithData(std::size_t dataLength, std::uint8_t seed = 1)
{
    std::vector<std::uint8_t> data(dataLength);
    for (std::size_t i = 0; i < dataLength; ++i)
        data[i] = static_cast<std::uint8_t>(seed + i * 13);
    return UpdateFileBuilder()
        .keyBytes({0x5A, 0x3C, 0x96, 0x1F, 0x77, 0xE2})
        .newVersion(0x12, 0x05)
        .imageData(data);
}
inline constexpr const char* kPassword = "452DB8";

} // namespace sus::test
