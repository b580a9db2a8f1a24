#pragma once

#include "bench/BenchLine.h"
#include "link/serial/SerialDeviceLayer.h"
#include "tests/bridge/ModelBridge.h"

#include <string>

namespace sus::bench {

// The real serial backend on the model bridge, linked into this process: every drain, settings
// change and write costs what it costs on a full-speed USB bridge.
class ModelBridgeLine final : public BenchLine {
public:
    ModelBridgeLine();

    std::string name() const override { return "model bridge"; }
    Link& link() override { return link_; }
    FixtureLog heard() const override;

private:
    std::string port_;
    bridge::ModelBridge& bridge_ = bridge::ModelBridge::instance();
    SerialDeviceLayer devices_;
    Link link_{devices_, presenter()};
};

} // namespace sus::bench
