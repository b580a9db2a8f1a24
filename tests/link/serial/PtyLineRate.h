#pragma once

#include <cstdint>
#include <string>

namespace sus::test {

// The output rate the kernel holds for a terminal, custom rates included; 0 when unreadable.
std::uint32_t terminalOutputBaud(const std::string& path);

} // namespace sus::test
