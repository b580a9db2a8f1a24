#include "bench/ModelBridgeLine.h"

#include "sim/Waveform.h"

#include <unistd.h>

namespace sus::bench {

namespace {

// Qt locks a port by its name, machine-wide: a name of this process alone.
std::string portOfThisProcess()
{
    return "/dev/ttyUSB" + std::to_string(::getpid());
}

} // namespace

ModelBridgeLine::ModelBridgeLine() : port_(portOfThisProcess()), devices_(port_)
{
    bridge_.model(port_);
    link_.discoverController();
    presenter().clear();
    bridge_.clearRecording();
}

FixtureLog ModelBridgeLine::heard() const
{
    return VirtualFixture::decode(renderWaveform(bridge_.wire()));
}

} // namespace sus::bench
