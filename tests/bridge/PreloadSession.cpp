// SPDX-License-Identifier: Apache-2.0
// The model bridge as a preload library, for a program run unmodified (LD_PRELOAD):
//   SUS_MODEL_BRIDGE_PORT    the port path to model, e.g. /dev/ttyUSB0
//   SUS_MODEL_BRIDGE_LINE    where to save the line as a wire log when the program ends
//   SUS_MODEL_BRIDGE_COUNTS  where to save the call counts and the checks when the program ends
//   SUS_MODEL_BRIDGE_HEAR    a wire log of what the port's receiver hears (another transmitter on the
//                            line); the program gets SIGINT once it has read it all
//   SUS_MODEL_BRIDGE_PULL_OUT_AFTER  the bridge is pulled out once this many bytes have been written
//   SUS_MODEL_BRIDGE_RECEIVER  the kind of driver that receiver has: "per-usb-packet" or "no-parity";
//                            otherwise it reports each character's status

#include "sim/Captures.h"
#include "tests/bridge/ModelBridge.h"
#include "tests/bridge/WireLog.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

struct PreloadSession {
    PreloadSession()
    {
        if (const std::string port = environment("SUS_MODEL_BRIDGE_PORT"); !port.empty())
            sus::bridge::ModelBridge::instance().model(port);
        if (const std::string bytes = environment("SUS_MODEL_BRIDGE_PULL_OUT_AFTER"); !bytes.empty())
            sus::bridge::ModelBridge::instance().pullOutAfter(std::stoul(bytes));
        if (const std::string heard = environment("SUS_MODEL_BRIDGE_HEAR"); !heard.empty()) {
            std::ostringstream text;
            text << std::ifstream(heard, std::ios::binary).rdbuf();
            const std::string receiver = environment("SUS_MODEL_BRIDGE_RECEIVER");
            const sus::LineStatus status = receiver == "per-usb-packet" ? sus::LineStatus::PerUsbPacket
                                           : receiver == "no-parity"    ? sus::LineStatus::NoParity
                                                                        : sus::LineStatus::PerCharacter;
            sus::bridge::ModelBridge::instance().hear(sus::bridge::readWireLog(text.str()), status);
        }
    }
    ~PreloadSession()
    {
        const auto& bridge = sus::bridge::ModelBridge::instance();
        if (const std::string line = environment("SUS_MODEL_BRIDGE_LINE"); !line.empty())
            sus::saveWireLog(line, bridge.wire());
        if (const std::string counts = environment("SUS_MODEL_BRIDGE_COUNTS"); !counts.empty())
            bridge.saveCounts(counts);
    }
};

// Made before the program's own static objects and ended after them, so the port is closed by then.
const PreloadSession session;

} // namespace
