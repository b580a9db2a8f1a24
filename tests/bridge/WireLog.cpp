// SPDX-License-Identifier: Apache-2.0
#include "tests/bridge/WireLog.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace sus::bridge {

std::vector<WireWrite> readWireLog(const std::string& text)
{
    static const std::map<std::string, Parity> kParities = {
        {"none", Parity::None}, {"odd", Parity::Odd},     {"even", Parity::Even},
        {"mark", Parity::Mark}, {"space", Parity::Space},
    };
    std::vector<WireWrite> writes;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        WireWrite write;
        std::string parity;
        std::string hex;
        if (!(fields >> write.startNs >> write.line.baudRate >> parity >> hex) ||
            !kParities.contains(parity) || hex.size() % 2 != 0)
            throw std::runtime_error("not a wire log line: " + line);
        write.line.parity = kParities.at(parity);
        for (std::size_t i = 0; i < hex.size(); i += 2)
            write.bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
        writes.push_back(std::move(write));
    }
    return writes;
}

} // namespace sus::bridge
