// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "link/DeviceLayer.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace sus {

// One step on the line: read its state back into the link's line-state record, change the record's
// rate or parity and apply it, or write bytes.
struct LineStep {
    enum class Kind : std::uint8_t { ReadLine, ChangeLine, Write };

    Kind kind = Kind::ReadLine;
    std::optional<std::uint32_t> baudRate; // ChangeLine: the new rate, or the record's as it is
    Parity parity = Parity::None;          // ChangeLine: the new parity
    std::size_t offset = 0;                // Write: where its bytes start in the list's byte store
    std::size_t length = 0;                // Write: how many; zero writes nothing and still counts
};

// A frame as the line steps that send it, with their bytes copied in, so that the list stands on its
// own once built. Cleared and built again, a list keeps its storage, so a frame built at every tick
// allocates nothing after the first.
class LineSteps {
public:
    void clear();

    void readLine();
    void changeLine(std::optional<std::uint32_t> baudRate, Parity parity);
    void write(std::span<const std::uint8_t> bytes);

    const std::vector<LineStep>& steps() const { return steps_; }
    std::span<const std::uint8_t> bytesOf(const LineStep& step) const;

private:
    std::vector<LineStep> steps_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace sus
